// SPDX-License-Identifier: GPL-3.0-or-later
// File names are bytes: a name that is not UTF-8 (GBK from a Chinese Windows archive, Latin-1) opens, plays,
// cuts and saves whether it comes on the command line (handed over by a second start), by a drop or through
// the open dialog, and its name is shown readably.
#include "main_window_fixture.h"

#include "common/path_text.h"
#include "settings/last_folder.h"

#include <QDropEvent>
#include <QFile>
#include <QMessageBox>
#include <QMimeData>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace trimvox::test {
namespace {

// The real program started with `argument` as raw bytes (QProcess would pass text); its exit status.
int RunProgramWithBytes(const std::string& argument) {
    const std::string program = TRIMVOX_PROGRAM;
    std::vector<char*> argv{const_cast<char*>(program.c_str()), const_cast<char*>(argument.c_str()), nullptr};
    pid_t pid = 0;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0) {
        return -1;
    }
    int status = -1;
    const bool ended = QTest::qWaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; }, 30000);
    if (!ended) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &status, 0);
        return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class FileNameBytes : public MainWindowTest {
protected:
    QString Title() const { return ui().Label1->text(); }

    void DropFile(const std::string& bytes) {
        QMimeData mime;
        mime.setUrls(
            {QUrl::fromEncoded("file://" + QByteArray::fromStdString(bytes).toPercentEncoding("/"))});
        const QPoint at = form_->rect().center();
        QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &drop);
        ASSERT_TRUE(drop.isAccepted());
    }
};

TEST_F(FileNameBytes, ANameThatIsNotUtf8OpensPlaysCutsAndSaves) {
    enum class Way { CommandLine, Drop, OpenDialog };
    struct Row {
        const char* what;
        std::string name; // the bytes of the folder's and the file's name, without ".mp3"
        Way way;
        QString shown; // the title shown
    };
    const QString gbk = QStringLiteral("你好");
    const QString latin1 = QStringLiteral("caf") + QChar(QChar::ReplacementCharacter);
    const Row rows[] = {
        {"GBK on the command line", "\xC4\xE3\xBA\xC3", Way::CommandLine, gbk},
        {"GBK dropped", "\xC4\xE3\xBA\xC3", Way::Drop, gbk},
        {"GBK through the open dialog", "\xC4\xE3\xBA\xC3", Way::OpenDialog, gbk},
        {"Latin-1 on the command line", "caf\xE9", Way::CommandLine, latin1},
        {"Latin-1 dropped", "caf\xE9", Way::Drop, latin1},
        {"Latin-1 through the open dialog", "caf\xE9", Way::OpenDialog, latin1},
    };
    // The tone is made under a UTF-8 name, then given its name of bytes.
    const auto source = Mp3("tone.mp3", Tone(2.0));
    int n = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string folder = files_->path().string() + "/" + std::to_string(++n) + row.name;
        const std::string file = folder + "/" + row.name + ".mp3";
        std::filesystem::create_directories(folder);
        std::filesystem::copy_file(source, file);

        switch (row.way) {
        case Way::CommandLine:
            EXPECT_EQ(RunProgramWithBytes(file), 0);
            break;
        case Way::Drop:
            DropFile(file);
            break;
        case Way::OpenDialog:
            // The dialog shows the name as Qt decodes it; that is what the user picks.
            driver_.onFileDialog(
                DialogDriver::TypePathAndEnter(QFile::decodeName(QByteArray::fromStdString(file))));
            Click(0);
            break;
        }
        ASSERT_TRUE(WaitUntil([&] { return Title() == QStringLiteral("名称：") + row.shown; }, 10000))
            << Title().toStdString();
        ASSERT_TRUE(WaitUntil([&] { return !ui().Timer1->isActive(); }));
        EXPECT_TRUE(ui().Label3->text().startsWith(QStringLiteral("时长： 2")))
            << ui().Label3->text().toStdString();
        EXPECT_EQ(mymode::LoadLastFolder(), folder);
        EXPECT_TRUE(WaitUntil([&] { return player().playState() == 3; }, 10000)) << player().playState();

        form_->StartPos = 0.2;
        form_->EndPos = 1.2;
        ASSERT_TRUE(form_->CutPreview().ok());
        const Bytes preview = PreviewBytes();
        ASSERT_FALSE(preview.empty());
        // Saved into the same folder under a new name typed after the folder as the dialog shows it.
        const QString typed = QFile::decodeName(QByteArray::fromStdString(folder)) + QStringLiteral("/cut");
        driver_.onFileDialog(DialogDriver::TypePathAndEnter(typed));
        driver_.onMessage(DialogDriver::Answer(QMessageBox::Ok));
        Click(4);
        EXPECT_EQ(ReadWholeFile(folder + "/cut.mp3").value_or(Bytes{}), preview);
        ASSERT_FALSE(driver_.messages().empty());
        EXPECT_EQ(driver_.messages().back().text,
                  QStringLiteral("已保存至：") + QString::fromStdString(DisplayName(folder + "/cut.mp3")));
    }
}

} // namespace
} // namespace trimvox::test
