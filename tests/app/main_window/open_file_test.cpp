// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a file from outside the open dialog: dropped on the main window, given on the command line, handed
// over by a second start; and the open dialog's starting folder.
#include "main_window_fixture.h"

#include "settings/last_folder.h"

#include <QDialog>
#include <QDropEvent>
#include <QFileDialog>
#include <QLocalSocket>
#include <QMimeData>
#include <QProcess>
#include <fstream>

namespace trimvox::test {
namespace {

class OpenFile : public MainWindowTest {
protected:
    struct DropResult {
        bool entered = false; // the drag was accepted when it entered
        bool dropped = false; // the drop was accepted
        Qt::DropAction action = Qt::IgnoreAction;
    };

    // A drag that enters the main window and, if accepted there, drops.
    DropResult Drop(const QList<QUrl>& urls, Qt::DropActions actions) {
        QMimeData mime;
        mime.setUrls(urls);
        const QPoint at = form_->rect().center();
        QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &enter);
        DropResult result;
        result.entered = enter.isAccepted();
        if (!result.entered) {
            return result;
        }
        QDropEvent drop(QPointF(at), actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form_.get(), &drop);
        result.dropped = drop.isAccepted();
        result.action = drop.dropAction();
        return result;
    }

    QString Title() const { return ui().Label1->text(); }
};

TEST_F(OpenFile, ADroppedMp3FileOpensAndAnythingElseIsIgnored) {
    // A drop reaches the main window wherever it lands: no control takes drops for itself.
    for (const QWidget* child : form_->findChildren<QWidget*>()) {
        EXPECT_FALSE(child->acceptDrops()) << child->metaObject()->className();
    }
    const auto url = [](const std::filesystem::path& path) { return QUrl::fromLocalFile(Q(path)); };
    const auto song = Mp3("song.mp3", Tone(2.0, "Dropped"));
    const auto upper = Mp3("LOUD.MP3", Tone(2.0, "Upper"));
    const auto linked = Mp3("linked.mp3", Tone(2.0, "Linked"));
    std::ofstream(files_->path() / "notes.txt") << "not audio";
    std::filesystem::create_directories(files_->path() / "folder.mp3");
    const Qt::DropActions copyOrMove = Qt::CopyAction | Qt::MoveAction;

    struct Case {
        const char* what;
        QList<QUrl> urls;
        Qt::DropActions actions;
        QString opens; // the title shown afterwards; empty: the drop is refused and nothing opens
        Qt::DropAction action = Qt::IgnoreAction;
        QString told = {}; // for a drop let in to say why nothing opens: what it says
    };
    const Case cases[] = {
        {"an MP3 file, offered for copy or move, is taken as a copy",
         {url(song)},
         copyOrMove,
         "Dropped",
         Qt::CopyAction},
        {"the extension in capitals", {url(upper)}, Qt::CopyAction, "Upper", Qt::CopyAction},
        {"offered only as a link", {url(linked)}, Qt::LinkAction, "Linked", Qt::LinkAction},
        {"offered only for a move (the source would delete it)", {url(song)}, Qt::MoveAction, ""},
        {"a text file", {url(files_->path() / "notes.txt")}, copyOrMove, ""},
        {"a folder named like an MP3 file", {url(files_->path() / "folder.mp3")}, copyOrMove, ""},
        {"two MP3 files",
         {url(song), url(upper)},
         copyOrMove,
         "",
         Qt::IgnoreAction,
         QStringLiteral("一次只能打开一个文件。")},
        {"a web address", {QUrl(QStringLiteral("https://example.org/a.mp3"))}, copyOrMove, ""},
        {"a missing file", {url(files_->path() / "missing.mp3")}, copyOrMove, ""},
        {"nothing but text", {}, copyOrMove, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString before = Title();
        const std::size_t messages = driver_.messages().size();
        const DropResult result = Drop(c.urls, c.actions);
        if (!c.told.isEmpty()) {
            EXPECT_TRUE(result.entered);
            EXPECT_FALSE(result.dropped);
            ASSERT_TRUE(WaitUntil([&] { return driver_.messages().size() == messages + 1; }));
            EXPECT_EQ(driver_.messages().back().text, c.told);
            EXPECT_EQ(Title(), before);
            continue;
        }
        if (c.opens.isEmpty()) {
            EXPECT_FALSE(result.entered);
            EXPECT_FALSE(ui().Timer1->isActive());
            QTest::qWait(250);
            EXPECT_EQ(Title(), before);
            continue;
        }
        EXPECT_TRUE(result.entered);
        EXPECT_TRUE(result.dropped);
        EXPECT_EQ(result.action, c.action);
        ASSERT_TRUE(WaitUntil([&] { return !ui().Timer1->isActive(); }));
        EXPECT_EQ(Title(), QStringLiteral("名称：") + c.opens);
        EXPECT_TRUE(ui().Label3->text().startsWith(QStringLiteral("时长： 2")))
            << ui().Label3->text().toStdString();
    }
    EXPECT_EQ(driver_.messages().size(), 1u);
}

// The open dialog starts in the folder of the last file opened, as stored by an earlier run, unless that
// folder is gone. (Within one run Qt's dialogs also start in the folder one of them showed last, here
// "other"; the stored folder goes before it.)
TEST_F(OpenFile, TheOpenDialogStartsInTheStoredFolderOfTheLastFileOpened) {
    for (const char* folder : {"album", "other"}) {
        std::filesystem::create_directories(files_->path() / folder);
    }
    const auto song = files_->path() / "other" / "song.mp3";
    MakeMp3(song, Tone(1.0));
    Open(song);
    ASSERT_EQ(mymode::LoadLastFolder(), (files_->path() / "other").string());
    ASSERT_TRUE(mymode::SaveLastFolder((files_->path() / "album" / "earlier.mp3").string()));

    const auto openDialogFolder = [this] {
        QString folder;
        driver_.onFileDialog([&folder](QFileDialog& dialog) {
            folder = dialog.directory().absolutePath();
            dialog.reject();
        });
        Click(0);
        EXPECT_TRUE(WaitUntil([&] { return !folder.isEmpty(); }));
        EXPECT_TRUE(WaitUntil([&] { return !ui().Timer1->isActive(); }));
        return folder;
    };
    EXPECT_EQ(openDialogFolder().toStdString(), (files_->path() / "album").string());
    std::filesystem::remove_all(files_->path() / "album");
    // The gone folder is not passed on; the dialog shows a folder of its own choice that exists.
    const QString fallback = openDialogFolder();
    EXPECT_NE(fallback.toStdString(), (files_->path() / "album").string());
    EXPECT_TRUE(QDir(fallback).exists()) << fallback.toStdString();
}

// A second start of the real program with a file (a path relative to its own working folder) hands the file
// to this running main window and ends at once with status 0 and no message. While a modal window is open
// here the file waits; it opens when that window closes. Nothing else sent to the program opens anything.
TEST_F(OpenFile, ASecondStartHandsItsFileToTheRunningProgram) {
    Open(Mp3("first.mp3", Tone(2.0, "First")));
    Mp3("second.mp3", Tone(3.0, "Second"));
    // Bytes that are not a path (here the start of a 269 MB text that never comes) are dropped.
    QLocalSocket stranger;
    stranger.connectToServer(Q(home_->root() / "runtime" / "trimvox.socket"));
    ASSERT_TRUE(stranger.waitForConnected(3000));
    stranger.write(QByteArray(2 << 20, '\x10'));
    ASSERT_TRUE(WaitUntil([&] { return stranger.state() == QLocalSocket::UnconnectedState; }, 10000));

    QDialog modal;
    modal.setModal(true);
    modal.show();

    QProcess second;
    second.setWorkingDirectory(Q(files_->path()));
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(QStringLiteral(TRIMVOX_PROGRAM), {QStringLiteral("second.mp3")});
    ASSERT_TRUE(second.waitForStarted());
    ASSERT_TRUE(WaitUntil([&] { return second.state() == QProcess::NotRunning; }, 30000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 0);

    QTest::qWait(500);
    EXPECT_EQ(Title(), QStringLiteral("名称：First"));
    modal.close();
    ASSERT_TRUE(WaitUntil([&] { return Title() == QStringLiteral("名称：Second"); }));
    EXPECT_TRUE(ui().Label3->text().startsWith(QStringLiteral("时长： 3")))
        << ui().Label3->text().toStdString();
    EXPECT_TRUE(driver_.messages().empty());
}

// Both sides real programs: the first opens the file it was started with, the second hands its file over.
// What each opened shows in the settings file, as the folder of the last file opened.
TEST(OpenFileProcesses, TheFirstStartOpensItsFileAndTheSecondHandsItsFileOver) {
    TempDataHome home;
    TempDir files;
    std::filesystem::create_directories(home.dataFolder());
    for (const char* folder : {"one", "two"}) {
        std::filesystem::create_directories(files.path() / folder);
        MakeMp3(files.path() / folder / "song.mp3", Tone(1.0));
    }

    QProcess first;
    first.setProcessChannelMode(QProcess::ForwardedChannels);
    first.start(QStringLiteral(TRIMVOX_PROGRAM), {Q(files.path() / "one" / "song.mp3")});
    ASSERT_TRUE(first.waitForStarted());
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return mymode::LoadLastFolder() == (files.path() / "one").string(); }, 15000));

    QProcess second;
    second.setProcessChannelMode(QProcess::ForwardedChannels);
    second.start(QStringLiteral(TRIMVOX_PROGRAM), {Q(files.path() / "two" / "song.mp3")});
    EXPECT_TRUE(second.waitForFinished(30000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return mymode::LoadLastFolder() == (files.path() / "two").string(); }, 15000));
    EXPECT_EQ(first.state(), QProcess::Running);

    first.kill();
    first.waitForFinished();
}

} // namespace
} // namespace trimvox::test
