// SPDX-License-Identifier: GPL-3.0-or-later
// A second start of the real program hands its file to this running main window, whatever the running
// program is doing and whatever else is connected to it: one row for each situation.
#include "main_window_fixture.h"

#include "app/startup/instance_hand_over.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace trimvox::test {
namespace {

// A raw connection to the hand-over socket, closed on destruction.
class RawClient {
public:
    explicit RawClient(const std::string& socketPath) {
        fd_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        socketPath.copy(address.sun_path, sizeof(address.sun_path) - 1);
        connected_ = ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    }
    ~RawClient() { ::close(fd_); }
    bool connected() const { return connected_; }
    void Send(const QByteArray& bytes) const { ::send(fd_, bytes.constData(), bytes.size(), MSG_NOSIGNAL); }
    // True once the program has closed its end (checked without waiting).
    bool Closed() const {
        pollfd wait{fd_, POLLIN, 0};
        char byte = 0;
        return ::poll(&wait, 1, 0) == 1 && ::recv(fd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT) <= 0;
    }

private:
    int fd_ = -1;
    bool connected_ = false;
};

// Another process that opens `count` connections to the socket and keeps them idle until it is killed.
class Flood {
public:
    Flood(const std::string& socketPath, int count) {
        int ready[2];
        if (::pipe2(ready, O_CLOEXEC) != 0) {
            return;
        }
        pid_ = ::fork();
        if (pid_ == 0) { // only system calls from here on
            rlimit limit{};
            ::getrlimit(RLIMIT_NOFILE, &limit);
            limit.rlim_cur = limit.rlim_max;
            ::setrlimit(RLIMIT_NOFILE, &limit);
            sockaddr_un address{};
            address.sun_family = AF_UNIX;
            socketPath.copy(address.sun_path, sizeof(address.sun_path) - 1);
            char opened = 0;
            for (int i = 0; i < count; ++i) {
                const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                if (fd < 0 ||
                    ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
                    opened = 1; // could not open them all
                }
            }
            [[maybe_unused]] const ssize_t told = ::write(ready[1], &opened, 1);
            for (;;) {
                ::pause();
            }
        }
        ::close(ready[1]);
        ready_ = ready[0];
    }
    ~Flood() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        ::close(ready_);
    }
    // True once every connection is open (the running program's event loop turns meanwhile).
    bool WaitUntilOpen() const {
        char opened = 1;
        const bool done = QTest::qWaitFor(
            [&] {
                pollfd wait{ready_, POLLIN, 0};
                return ::poll(&wait, 1, 0) == 1;
            },
            60000);
        return done && ::read(ready_, &opened, 1) == 1 && opened == 0;
    }

private:
    pid_t pid_ = -1;
    int ready_ = -1;
};

class HandOver : public MainWindowTest {
protected:
    QString Title() const { return ui().Label1->text(); }
    std::string SocketPath() const { return (home_->root() / "runtime" / "trimvox.socket").string(); }

    struct Second {
        int exitCode = -1;
        QString err;
    };
    // The second start with `argument`, from the test's folder; waits for it to end.
    Second StartSecond(const QString& argument) {
        QProcess second;
        second.setWorkingDirectory(Q(files_->path()));
        second.start(QStringLiteral(TRIMVOX_PROGRAM), {argument});
        EXPECT_TRUE(second.waitForStarted());
        EXPECT_TRUE(WaitUntil([&] { return second.state() == QProcess::NotRunning; }, 30000));
        if (second.state() != QProcess::NotRunning) {
            second.kill();
            second.waitForFinished();
            return {};
        }
        return {second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1,
                QString::fromUtf8(second.readAllStandardError())};
    }
};

TEST_F(HandOver, OpensTheFileOnlyWhenItCanAndLeavesTheRunningProgramIntactOtherwise) {
    enum class Scene {
        Idle,        // nothing else happens
        OpenDialog,  // the open dialog is up; it is cancelled afterwards
        SaveDialog,  // a preview was cut and the save dialog is up; the preview is saved afterwards
        Flood,       // 1,100 idle connections stay open
        SlowClients, // a client that announced 2 GB and sent 100 bytes, and one that sends nothing
    };
    struct Row {
        const char* what;
        Scene scene;
        const char* argument; // the path given to the second start
        int exitCode;
        const char* err; // standard error holds this
        bool opens;      // the handed-over file replaces the open one (else title and marks stay)
    };
    const Row rows[] = {
        {"a file", Scene::Idle, "second.mp3", 0, "", true},
        {"while the open dialog is up", Scene::OpenDialog, "second.mp3", 0, "", true},
        {"while the save dialog waits with a preview", Scene::SaveDialog, "second.mp3", 0, "", true},
        {"after 1,100 idle connections", Scene::Flood, "second.mp3", 0, "", true},
        {"beside slow clients", Scene::SlowClients, "second.mp3", 0, "", true},
        {"a missing file", Scene::Idle, "missing.mp3", 1, "'missing.mp3': no such file", false},
        {"a folder", Scene::Idle, "folder.mp3", 1, "'folder.mp3': is a folder", false},
        {"the file already open", Scene::Idle, "first.mp3", 0, "", false},
    };
    const auto first = Mp3("first.mp3", Tone(2.0, "First"));
    Mp3("second.mp3", Tone(3.0, "Second"));
    std::filesystem::create_directories(files_->path() / "folder.mp3");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        Open(first);
        ASSERT_EQ(Title(), QStringLiteral("名称：First"));
        Click(1); // a start mark, which only opening another file clears
        const QString mark = ui().Label5->text();
        ASSERT_NE(mark, QStringLiteral("起始点："));

        // The second start, then what the running program shows while the scene lasts.
        const auto handOver = [&] {
            const Second second = StartSecond(QString::fromUtf8(row.argument));
            EXPECT_EQ(second.exitCode, row.exitCode);
            EXPECT_TRUE(second.err.contains(QString::fromUtf8(row.err))) << second.err.toStdString();
            if (row.exitCode == 0) {
                EXPECT_TRUE(second.err.isEmpty()) << second.err.toStdString();
            }
        };
        const auto unchangedMeanwhile = [&] {
            QTest::qWait(400);
            EXPECT_EQ(Title(), QStringLiteral("名称：First"));
            EXPECT_EQ(ui().Label5->text(), mark);
        };
        const auto saved = files_->path() / "saved.mp3";
        std::filesystem::remove(saved);
        Bytes preview;
        switch (row.scene) {
        case Scene::Idle:
            handOver();
            break;
        case Scene::OpenDialog:
            driver_.onFileDialog([&](QFileDialog& dialog) {
                EXPECT_EQ(dialog.windowModality(), Qt::WindowModal);
                EXPECT_EQ(dialog.parentWidget(), form_.get());
                handOver();
                unchangedMeanwhile();
                dialog.reject();
            });
            Click(0);
            break;
        case Scene::SaveDialog:
            form_->StartPos = 0.2;
            form_->EndPos = 1.2;
            ASSERT_TRUE(form_->CutPreview().ok());
            preview = PreviewBytes();
            driver_.onFileDialog([&](QFileDialog& dialog) {
                handOver();
                unchangedMeanwhile();
                EXPECT_EQ(PreviewBytes(), preview);
                DialogDriver::TypePathAndEnter(Q(saved))(dialog);
            });
            driver_.onMessage(DialogDriver::Answer(QMessageBox::Ok));
            Click(4);
            EXPECT_EQ(ReadWholeFile(saved).value_or(Bytes{}), preview);
            break;
        case Scene::Flood: {
            // The usual limit of open files for the running program (the flood raises its own).
            rlimit limit{};
            ::getrlimit(RLIMIT_NOFILE, &limit);
            const rlimit before = limit;
            limit.rlim_cur = std::min<rlim_t>(1024, limit.rlim_max);
            ::setrlimit(RLIMIT_NOFILE, &limit);
            const std::shared_ptr<void> restore(nullptr,
                                                [&before](void*) { ::setrlimit(RLIMIT_NOFILE, &before); });
            Flood flood(SocketPath(), 1100);
            ASSERT_TRUE(flood.WaitUntilOpen());
            handOver();
            break;
        }
        case Scene::SlowClients: {
            RawClient announcing(SocketPath()), silent(SocketPath());
            ASSERT_TRUE(announcing.connected() && silent.connected());
            QByteArray message("\x7F\xFF\xFF\xFE", 4);
            announcing.Send(message + QByteArray(96, 'a'));
            handOver();
            EXPECT_TRUE(WaitUntil([&] { return announcing.Closed(); }, 1000));
            EXPECT_TRUE(
                WaitUntil([&] { return silent.Closed(); }, HandOverServer::kClientTimeLimitMs + 2000));
            break;
        }
        }
        if (row.opens) {
            EXPECT_TRUE(WaitUntil([&] { return Title() == QStringLiteral("名称：Second"); }, 5000));
            EXPECT_TRUE(ui().Label3->text().startsWith(QStringLiteral("时长： 3")))
                << ui().Label3->text().toStdString();
        } else {
            unchangedMeanwhile();
        }
        EXPECT_TRUE(std::filesystem::exists(home_->root() / "runtime" / "trimvox.socket"));
    }
    for (const auto& seen : driver_.messages()) {
        EXPECT_TRUE(seen.text.startsWith(QStringLiteral("已保存至："))) << seen.text.toStdString();
    }
}

} // namespace
} // namespace trimvox::test
