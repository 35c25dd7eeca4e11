// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window_fixture.h"

#include "app/main_window/seconds_text.h"

#include "cutting/cut_range.h"
#include "platform/fs/file_exists.h"
#include "platform/resources/resource_table.h"
#include "settings/mymode.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <fstream>

namespace trimvox::test {
namespace {

constexpr int kPlaying = 3;
constexpr int kPaused = 2;

class MainWindowCommands : public MainWindowTest {};

TEST_F(MainWindowCommands, AtStartTheLabelsShowTheirBareCaptionsAndTimer1Waits) {
    EXPECT_FALSE(ui().Timer1->isActive());
    EXPECT_TRUE(ui().Timer2->isActive());
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("名称："));
    EXPECT_EQ(ui().Label2->text(), QStringLiteral("文件类型："));
    EXPECT_EQ(ui().Label3->text(), QStringLiteral("时长："));
    EXPECT_EQ(ui().Label4->text(), QStringLiteral("当前位置："));
    EXPECT_EQ(ui().Label5->text(), QStringLiteral("起始点："));
    EXPECT_EQ(ui().Label6->text(), QStringLiteral("结束点："));
    EXPECT_EQ(ui().Label7->text(), QStringLiteral("截取时长："));
}

TEST_F(MainWindowCommands, OpeningShowsTheFileAndPlaysIt) {
    const auto file = Mp3("歌曲 one.mp3", Tone(4.0, "测试标题"));
    Open(file);
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("名称：测试标题"));
    EXPECT_EQ(ui().Label2->text(), QStringLiteral("文件类型：mp3"));
    EXPECT_TRUE(ui().Label3->text().startsWith(QStringLiteral("时长： 4")))
        << ui().Label3->text().toStdString();
    EXPECT_TRUE(ui().Label3->text().endsWith(QStringLiteral("(s)")));
    ASSERT_TRUE(WaitUntil([&] { return player().playState() == kPlaying; }));
    // While playing, the position shows; paused, it keeps the last one.
    ASSERT_TRUE(WaitUntil([&] { return ui().Label4->text() != QStringLiteral("当前位置："); }));
    EXPECT_TRUE(ui().Label4->text().startsWith(QStringLiteral("当前位置： ")));
    player().controls().pause();
    QTest::qWait(250);
    const QString shown = ui().Label4->text();
    QTest::qWait(450);
    EXPECT_EQ(ui().Label4->text(), shown);
}

TEST_F(MainWindowCommands, ACancelledOpenStillClearsTheMarksAndThePreview) {
    const auto file = Mp3("a.mp3", Tone(3.0, "First"));
    Open(file);
    QTest::qWait(600);
    Click(1);
    QTest::qWait(300);
    Click(2);
    EXPECT_GT(form_->EndPos, 0.0);
    std::ofstream(DataFile(kPreviewFileName)) << "old preview";

    driver_.onFileDialog(DialogDriver::PressEscape());
    Click(0);
    ASSERT_TRUE(WaitUntil([&] { return !ui().Timer1->isActive(); }));
    EXPECT_EQ(form_->StartPos, 0.0);
    EXPECT_EQ(form_->EndPos, 0.0);
    EXPECT_EQ(ui().Label1->text(), QStringLiteral("名称：First")); // the file still loaded
    EXPECT_EQ(ui().Label5->text(), QStringLiteral("起始点："));
    EXPECT_EQ(ui().Label6->text(), QStringLiteral("结束点："));
    EXPECT_EQ(ui().Label7->text(), QStringLiteral("截取时长："));
    EXPECT_FALSE(std::filesystem::exists(DataFile(kPreviewFileName)));
}

TEST_F(MainWindowCommands, MarksShowInTheirLabels) {
    Open(Mp3("a.mp3", Tone(3.0)));
    player().controls().pause();
    player().controls().setCurrentPosition(1.5);
    Click(1);
    EXPECT_NEAR(form_->StartPos, 1.5, 0.05);
    EXPECT_TRUE(ui().Label5->text().startsWith(QStringLiteral("起始点： 1.")));
    player().controls().setCurrentPosition(2.25);
    Click(2);
    EXPECT_NEAR(form_->EndPos, 2.25, 0.05);
    EXPECT_TRUE(ui().Label6->text().startsWith(QStringLiteral("结束点： 2.")));
    EXPECT_TRUE(ui().Label7->text().startsWith(QStringLiteral("截取时长： 0.")));
    // Marking the start again updates the cut length too.
    player().controls().setCurrentPosition(0.5);
    Click(1);
    EXPECT_EQ(ui().Label7->text(),
              QStringLiteral("截取时长：") + SecondsText(form_->EndPos - form_->StartPos));
}

TEST_F(MainWindowCommands, PreviewWithoutMarksSaysTheTimeIsWrong) {
    Click(3);
    ASSERT_EQ(driver_.messages().size(), 1u);
    EXPECT_EQ(driver_.messages()[0].text, QStringLiteral("时间出错"));
    EXPECT_EQ(driver_.messages()[0].title, QStringLiteral("Trimvox"));
    EXPECT_EQ(driver_.messages()[0].icon, QMessageBox::NoIcon);
    EXPECT_FALSE(std::filesystem::exists(DataFile(kPreviewFileName)));
}

TEST_F(MainWindowCommands, SaveBeforeAnyCutAsksForACut) {
    Click(4);
    ASSERT_EQ(driver_.messages().size(), 1u);
    EXPECT_EQ(driver_.messages()[0].text, QStringLiteral("请先截取预览！"));
    EXPECT_EQ(driver_.messages()[0].title, QStringLiteral("未保存"));
}

TEST_F(MainWindowCommands, OpenMarkPreviewAndSaveTheSegment) {
    const auto source = Mp3("source.mp3", Tone(4.0, "Whole"));
    const Bytes sourceBytes = ReadWholeFile(source).value();
    Open(source);
    player().controls().pause();
    player().controls().setCurrentPosition(1.0);
    Click(1);
    player().controls().setCurrentPosition(2.5);
    Click(2);
    player().controls().play();
    ASSERT_TRUE(WaitUntil([&] { return player().playState() == kPlaying; }));

    const CutRangeResult range =
        ComputeCutRange(form_->StartPos, form_->EndPos, player().currentMedia().duration(),
                        static_cast<std::int64_t>(sourceBytes.size()));
    ASSERT_TRUE(range.range);
    const auto begin = sourceBytes.begin() + range.range->offset;
    const auto end = range.range->offset + range.range->count > static_cast<std::int64_t>(sourceBytes.size())
                         ? sourceBytes.end()
                         : begin + range.range->count;
    const Bytes expected(begin, end);

    bool previewPlayed = false;
    bool recut = false;
    int mainStateDuringPreview = -1;
    WhenPreviewShows([&](Form2& preview) {
        EXPECT_EQ(preview.windowTitle(), QStringLiteral("预览"));
        EXPECT_EQ(preview.size(), QSize(273, 138));
        EXPECT_EQ(preview.player().geometry(), QRect(0, 0, 273, 137));
        EXPECT_EQ(QApplication::activeModalWidget(), &preview);
        previewPlayed = WaitUntil([&] { return preview.player().playState() == kPlaying; });
        mainStateDuringPreview = player().playState();
        // The preview file goes missing: it is cut again and plays anew.
        std::filesystem::remove(DataFile(kPreviewFileName));
        recut = WaitUntil([&] { return FileExists(DataFile(kPreviewFileName)); }, 1000) &&
                WaitUntil([&] { return preview.player().playState() == kPlaying; });
        QTest::keyClick(&preview, Qt::Key_Escape);
    });
    Click(3);
    EXPECT_TRUE(previewPlayed);
    EXPECT_TRUE(recut);
    EXPECT_EQ(mainStateDuringPreview, kPaused);
    EXPECT_EQ(player().playState(), kPaused); // closing the preview leaves the main player paused
    EXPECT_EQ(PreviewBytes(), expected);

    // Saving: "a.MP3" gives "a.MP3.mp3", "song" gives "song.mp3", "b.mp3" stays.
    const std::pair<const char*, const char*> names[] = {
        {"a.MP3", "a.MP3.mp3"}, {"song", "song.mp3"}, {"b.mp3", "b.mp3"}, {"保存的.mp3", "保存的.mp3"}};
    for (const auto& [typed, saved] : names) {
        driver_.onFileDialog(DialogDriver::TypePathAndEnter(Q(files_->path() / typed)));
        const auto before = driver_.messages().size();
        Click(4);
        const auto target = files_->path() / saved;
        EXPECT_EQ(ReadWholeFile(target).value_or(Bytes{}), expected) << saved;
        ASSERT_EQ(driver_.messages().size(), before + 1);
        EXPECT_EQ(driver_.messages().back().text, QStringLiteral("已保存至：") + Q(target));
    }
}

TEST_F(MainWindowCommands, SavingOverAnExistingFileReplacesItWhole) {
    const auto source = Mp3("s.mp3", Tone(3.0));
    Open(source);
    form_->StartPos = 0.5;
    form_->EndPos = 1.5;
    ASSERT_TRUE(form_->CutPreview().ok());
    const auto target = files_->path() / "old.mp3";
    std::ofstream(target) << std::string(5'000'000, 'x'); // longer than the preview
    driver_.onFileDialog(DialogDriver::TypePathAndEnter(Q(target)));
    driver_.onMessage(DialogDriver::Answer(QMessageBox::Yes)); // replace it
    Click(4);
    EXPECT_EQ(ReadWholeFile(target).value_or(Bytes{}), PreviewBytes());
}

TEST_F(MainWindowCommands, AFailedSaveSaysSoAndNeverClaimsSuccess) {
    Open(Mp3("s.mp3", Tone(3.0)));
    form_->StartPos = 0.5;
    form_->EndPos = 1.5;
    ASSERT_TRUE(form_->CutPreview().ok());
    const auto target = files_->path() / "no such folder" / "x.mp3";
    driver_.onFileDialog(DialogDriver::TypePathAndEnter(Q(target)));
    Click(4);
    ASSERT_FALSE(driver_.messages().empty());
    EXPECT_TRUE(driver_.messages().back().text.startsWith(QStringLiteral("保存失败")));
    for (const auto& message : driver_.messages()) {
        EXPECT_FALSE(message.text.startsWith(QStringLiteral("已保存至：")));
    }
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(MainWindowCommands, AFailedCutSaysWhyAndOpensNoPreview) {
    const auto source = Mp3("gone.mp3", Tone(3.0));
    Open(source);
    player().setURL(QString()); // let go of the file, then it disappears
    player().setURL(Q(source));
    std::filesystem::remove(source);
    form_->StartPos = 0.5;
    form_->EndPos = 1.5;
    bool previewShown = false;
    WhenPreviewShows([&](Form2& preview) {
        previewShown = true;
        preview.reject();
    });
    Click(3);
    QTest::qWait(50);
    EXPECT_FALSE(previewShown);
    ASSERT_EQ(driver_.messages().size(), 1u);
    EXPECT_TRUE(driver_.messages()[0].text.startsWith(QStringLiteral("截取失败：")))
        << driver_.messages()[0].text.toStdString();
    EXPECT_FALSE(std::filesystem::exists(DataFile(kPreviewFileName)));
}

TEST_F(MainWindowCommands, SeventeenSkinPressesCycleAndTheNextStartAppliesTheLast) {
    std::vector<std::string> stored;
    for (int press = 0; press < 17; ++press) {
        Click(5);
        mymode::LoadStyleSetting();
        stored.push_back(mymode::StyleValue.substr(0, mymode::StyleValue.find('\0')));
    }
    std::vector<std::string> expected;
    for (int n = 103; n <= 118; ++n) {
        expected.push_back(std::to_string(n));
    }
    expected.push_back("104");
    EXPECT_EQ(stored, expected);
    // The file holds the number after one space, as a plus sign would stand.
    std::ifstream in(mymode::SettingsFile());
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "[guistyle]\nstyle= 104\n");

    // Two more presses, then the next start applies the stored skin.
    Click(5);
    Click(5);
    form_.reset();
    StartProgram();
    EXPECT_EQ(ReadWholeFile(DataFile(kStyleFileName)), LoadCustomResource(106));
}

TEST_F(MainWindowCommands, SkinPressesAfterTheFirstChangeTheLook) {
    const QColor start = form_->palette().color(QPalette::Window); // skin 104, nothing stored yet
    Click(5);
    QApplication::processEvents();
    EXPECT_EQ(form_->palette().color(QPalette::Window), start); // the first press only stores 103
    Click(5);
    QApplication::processEvents();
    EXPECT_EQ(form_->palette().color(QPalette::Window), start); // 104 again
    QColor previous = start;
    for (int press = 0; press < 3; ++press) { // 105, 106, 107
        Click(5);
        QApplication::processEvents();
        EXPECT_NE(form_->palette().color(QPalette::Window), previous) << press;
        previous = form_->palette().color(QPalette::Window);
    }
}

// Records the addresses that the desktop would open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

TEST_F(MainWindowCommands, TheCreditLineOpensTheHomePage) {
    UrlRecorder recorder;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &recorder, "open");
    QTest::mouseClick(ui().Label8, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    ASSERT_EQ(recorder.urls.size(), 1);
    EXPECT_EQ(recorder.urls[0], QUrl(QString::fromLatin1(kHomePage)));
}

TEST_F(MainWindowCommands, IndexesOutsideTheRowDoNothing) {
    for (int index : {-1, 6, 32767}) {
        form_->mxb_Click(index);
    }
    EXPECT_TRUE(driver_.seen().empty());
}

TEST_F(MainWindowCommands, CommandsStartedWhileADialogWaitsLeaveASoundState) {
    const auto file = Mp3("a.mp3", Tone(3.0));
    // While the open dialog waits, the user presses preview, the skin button and open once more.
    driver_.onFileDialog([&](QFileDialog& dialog) {
        Click(3);                                          // "时间出错"
        Click(5);                                          // stores 103
        driver_.onFileDialog(DialogDriver::PressEscape()); // the nested open dialog is cancelled
        Click(0);
        DialogDriver::TypePathAndEnter(Q(file))(dialog);
    });
    Click(0);
    ASSERT_TRUE(WaitUntil([&] { return !ui().Timer1->isActive(); }));
    EXPECT_EQ(form_->SkinIndex, 103);
    EXPECT_EQ(player().currentMedia().getItemInfo(QStringLiteral("sourceURL")), Q(file));
    ASSERT_TRUE(WaitUntil([&] { return player().playState() == kPlaying; }));
}

} // namespace
} // namespace trimvox::test

#include "main_window_commands_test.moc"
