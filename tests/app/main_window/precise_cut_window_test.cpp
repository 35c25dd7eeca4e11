// SPDX-License-Identifier: GPL-3.0-or-later
// The precise cut in the main window: its context menu, the setting, the preview and the saved file.
#include "main_window_fixture.h"

#include "mp3/media_info.h"
#include "platform/fs/file_exists.h"
#include "settings/cut_setting.h"
#include "support/mp3_sources.h"

#include <QAction>
#include <QMenu>
#include <QSignalSpy>

namespace trimvox::test {
namespace {

constexpr int kPlaying = 3;

class PreciseCutWindow : public MainWindowTest {
protected:
    QMenu* Menu() const { return form_->findChild<QMenu*>(); }

    // A right click at the centre of `widget`; true when the context menu opened.
    bool RightClick(QWidget* widget) const {
        QTest::mouseClick(widget, Qt::RightButton, Qt::NoModifier, widget->rect().center());
        return WaitUntil([&] { return Menu()->isVisible(); }, 1000);
    }

    // Turns the setting on or off through the menu, as a person would.
    void ChooseEntry() const {
        Menu()->actions().front()->trigger();
        Menu()->hide();
    }
};

// The right button anywhere on the window opens the menu with its checkable entry, which shows and
// changes the setting in set.ini; over a command button, the button raises MouseUp and no Click.
TEST_F(PreciseCutWindow, TheContextMenuShowsAndChangesTheSetting) {
    ASSERT_NE(Menu(), nullptr);
    ASSERT_EQ(Menu()->actions().size(), 2); // the precise cut, then "分段…" (the segments window)
    EXPECT_EQ(Menu()->actions().back()->text(), QStringLiteral("分段…"));
    EXPECT_FALSE(Menu()->actions().back()->isCheckable());
    QAction* entry = Menu()->actions().front();
    EXPECT_EQ(entry->text(), QStringLiteral("精确剪切（整帧、时长准确、保留标签）"));
    EXPECT_TRUE(entry->isCheckable());

    for (mxbutton::mxbutton* button : ui().mxb) {
        QSignalSpy clicks(button, &mxbutton::mxbutton::Click);
        QSignalSpy ups(button, &mxbutton::mxbutton::MouseUp);
        ASSERT_TRUE(RightClick(button)) << button->objectName().toStdString();
        EXPECT_EQ(clicks.count(), 0);
        EXPECT_EQ(ups.count(), 1);
        EXPECT_FALSE(entry->isChecked());
        Menu()->hide();
    }
    EXPECT_TRUE(driver_.messages().empty()) << "no command ran";

    ASSERT_TRUE(RightClick(form_.get()));
    ChooseEntry();
    EXPECT_TRUE(mymode::LoadPreciseCutSetting());
    ASSERT_TRUE(RightClick(ui().Label5));
    EXPECT_TRUE(entry->isChecked());
    ChooseEntry();
    EXPECT_FALSE(mymode::LoadPreciseCutSetting());
    ASSERT_TRUE(RightClick(ui().wmp));
    EXPECT_FALSE(entry->isChecked());
    Menu()->hide();
}

// With the setting on, open, mark, preview (and its re-cut) and save give a file with the source's tag
// whose reported length is the marked length, on a file whose halves differ in bit rate.
TEST_F(PreciseCutWindow, OpenMarkPreviewAndSaveWithThePreciseCut) {
    ASSERT_TRUE(RightClick(form_.get()));
    ChooseEntry();
    const auto source = files_->path() / "uneven.mp3";
    MakeTaggedMp3(source, TaggedSourceKinds()[2], 8.0);
    Open(source);
    player().controls().pause();
    player().controls().setCurrentPosition(2.0);
    Click(1);
    player().controls().setCurrentPosition(5.5);
    Click(2);
    const double marked = form_->EndPos - form_->StartPos;
    ASSERT_NEAR(marked, 3.5, 0.01);

    double previewLength = 0, recutLength = 0;
    WhenPreviewShows([&](Form2& preview) {
        if (WaitUntil([&] { return preview.player().playState() == kPlaying; })) {
            previewLength = preview.player().currentMedia().duration();
        }
        std::filesystem::remove(DataFile(kPreviewFileName));
        if (WaitUntil([&] { return FileExists(DataFile(kPreviewFileName)); }, 1000)) {
            recutLength = ReadMediaInfo(DataFile(kPreviewFileName)).durationSeconds;
        }
        QTest::keyClick(&preview, Qt::Key_Escape);
    });
    Click(3);
    EXPECT_NEAR(previewLength, marked, 0.04);
    EXPECT_NEAR(recutLength, marked, 0.04);

    const auto saved = files_->path() / "saved.mp3";
    driver_.onFileDialog(DialogDriver::TypePathAndEnter(Q(saved)));
    Click(4);
    EXPECT_NEAR(ReadMediaInfo(saved).durationSeconds, marked, 0.04);
    const Bytes sourceBytes = ReadWholeFile(source).value();
    const Bytes savedBytes = ReadWholeFile(saved).value_or(Bytes{});
    const std::size_t tag =
        10 + ((sourceBytes[6] << 21) | (sourceBytes[7] << 14) | (sourceBytes[8] << 7) | sourceBytes[9]);
    ASSERT_GT(savedBytes.size(), tag);
    EXPECT_TRUE(std::equal(sourceBytes.begin(), sourceBytes.begin() + static_cast<std::ptrdiff_t>(tag),
                           savedBytes.begin()));
}

} // namespace
} // namespace trimvox::test
