// SPDX-License-Identifier: GPL-3.0-or-later
#include "button_rows.h"
#include "support/active_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace trimvox::mxbutton {
namespace {

using namespace rows;

const Row kMouseRows[] = {
    {"left down over the button",
     kPointerIn,
     kLeftDown,
     S::Pressed,
     {.mouseDown = true, .hasFocus = true},
     true,
     {"MouseDown"}},
    {"left down, pointer not noticed over it",
     nullptr,
     [](ButtonFixture& f) { QTest::mousePress(f.button, Qt::LeftButton, {}, QPoint(10, 10)); },
     S::Normal,
     {.mouseOver = false, .mouseDown = true, .hasFocus = true},
     true,
     {"MouseDown"}},
    {"right down",
     kPointerIn,
     [](ButtonFixture& f) { f.RightDown(); },
     S::Hot,
     {.mouseDown = false},
     false,
     {}},
    {"move over another window while held",
     Then({kPointerIn, kLeftDown}),
     [](ButtonFixture& f) { QTest::mouseMove(f.Window(), f.Outside()); },
     S::Pressed,
     {.mouseOver = false},
     false,
     {"MouseLeave", "MouseMove"}},
    {"move onto the button",
     nullptr,
     kPointerIn,
     S::Hot,
     {.mouseOver = true},
     true,
     {"MouseMove", "MouseEnter"}},
    {"move over it while held",
     Then({kPointerIn, kLeftDown}),
     [](ButtonFixture& f) { QTest::mouseMove(f.Window(), f.Inside() + QPoint(5, 1)); },
     S::Pressed,
     {},
     true,
     {"MouseMove"}},
    {"move over it",
     kPointerIn,
     [](ButtonFixture& f) { QTest::mouseMove(f.Window(), f.Inside() + QPoint(5, 1)); },
     S::Hot,
     {},
     true,
     {"MouseMove"}},
    {"move over it while Space is held",
     Then({kPointerIn, kSpaceDown}),
     [](ButtonFixture& f) { QTest::mouseMove(f.Window(), f.Inside() + QPoint(5, 1)); },
     S::Pressed,
     {},
     true,
     {"MouseMove"}},
    {"left up inside",
     Then({kPointerIn, kLeftDown}),
     kLeftUp,
     S::Pressed,
     {.mouseDown = false, .value = false},
     true,
     {"Click", "MouseUp"}},
    {"left up inside in check-box mode",
     Then({kCheckBoxMode, kPointerIn, kLeftDown}),
     kLeftUp,
     S::Pressed,
     {.mouseDown = false, .value = true},
     true,
     {"Click", "MouseUp"}},
    {"left up outside",
     Then({kPointerIn, kLeftDown}),
     [](ButtonFixture& f) { QTest::mouseRelease(f.button, Qt::LeftButton, {}, f.ButtonPoint(f.Outside())); },
     S::Pressed,
     {.mouseDown = false},
     false,
     {"MouseUp"}},
    {"left up on the left edge",
     Then({kPointerIn, kLeftDown}),
     [](ButtonFixture& f) { QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(0, 10)); },
     S::Pressed,
     {.mouseDown = false},
     false,
     {"MouseUp"}},
    {"left up at x = width",
     Then({kPointerIn, kLeftDown}),
     [](ButtonFixture& f) { QTest::mouseRelease(f.button, Qt::LeftButton, {}, QPoint(89, 10)); },
     S::Pressed,
     {.mouseDown = false},
     false,
     {"MouseUp"}},
    {"right up",
     Then({kPointerIn, [](ButtonFixture& f) { f.RightDown(); }}),
     [](ButtonFixture& f) { f.RightUp(); },
     S::Hot,
     {},
     false,
     {"MouseUp"}},
    {"left double-click",
     Then({kPointerIn, kLeftDown, kLeftUp}),
     [](ButtonFixture& f) {
         QTest::mouseDClick(f.button, Qt::LeftButton, {}, QPoint(10, 10));
         EXPECT_EQ(QWidget::mouseGrabber(), f.button) << "a double-click takes the capture";
     },
     S::Pressed,
     {.mouseDown = true},
     true,
     {"MouseDown", "DblClick"}},
};

const Row kKeyRows[] = {
    {"Enter down",
     nullptr,
     [](ButtonFixture& f) { f.KeyDown(Qt::Key_Return); },
     S::Normal,
     {},
     false,
     {"Click", "KeyDown 13"}},
    // Modifier keys are keys of their own: Alt (18) and Ctrl (17) go down first.
    {"Alt+Space down",
     nullptr,
     [](ButtonFixture& f) { f.KeyDown(Qt::Key_Space, Qt::AltModifier); },
     S::Normal,
     {.spaceDown = false},
     false,
     {"KeyDown 18"}},
    {"Ctrl+Alt+Space down",
     nullptr,
     [](ButtonFixture& f) { f.KeyDown(Qt::Key_Space, Qt::AltModifier | Qt::ControlModifier); },
     S::Pressed,
     {.spaceDown = true},
     true,
     {"KeyDown 17", "KeyDown 18", "KeyDown 32"}},
    {"Space down",
     nullptr,
     [](ButtonFixture& f) {
         f.SpaceDown();
         EXPECT_EQ(QWidget::mouseGrabber(), f.button) << "Space takes the capture";
     },
     S::Pressed,
     {.spaceDown = true},
     true,
     {"KeyDown 32"}},
    {"Space down in check-box mode",
     kCheckBoxMode,
     kSpaceDown,
     S::Normal,
     {.spaceDown = true, .value = true},
     false,
     {"KeyDown 32"}},
    {"Space down while the mouse is held",
     Then({kPointerIn, kLeftDown}),
     kSpaceDown,
     S::Pressed,
     {.spaceDown = false},
     false,
     {"KeyDown 32"}},
    {"another key down",
     nullptr,
     [](ButtonFixture& f) { f.KeyDown(Qt::Key_A); },
     S::Normal,
     {},
     false,
     {"KeyDown 65"}},
    {"Space up away from the button",
     kSpaceDown,
     kSpaceUp,
     S::Normal,
     {.mouseDown = false, .spaceDown = false},
     true,
     {"Click", "KeyUp 32"}},
    {"Space up over it while the mouse is held",
     Then({kPointerIn, kLeftDown, kSpaceDown}),
     kSpaceUp,
     S::Pressed,
     {.mouseDown = false, .spaceDown = false},
     true,
     {"KeyUp 32"}},
    {"Space up over it",
     Then({kPointerIn, kSpaceDown}),
     kSpaceUp,
     S::Hot,
     {.spaceDown = false},
     true,
     {"Click", "KeyUp 32"}},
    {"another key up",
     [](ButtonFixture& f) { f.KeyDown(Qt::Key_A); },
     [](ButtonFixture& f) { f.KeyUp(Qt::Key_A); },
     S::Normal,
     {},
     false,
     {}},
};

const Row kOtherRows[] = {
    {"access key while disabled",
     [](ButtonFixture& f) { f.button->SetEnabled(false); },
     [](ButtonFixture& f) { f.button->AccessKeyPress('o'); },
     S::Normal,
     {},
     false,
     {}},
    {"Escape as access key in check-box mode",
     Then({kCheckBoxMode, kSpaceDown}),
     [](ButtonFixture& f) { f.button->AccessKeyPress(27); },
     S::Normal,
     {.spaceDown = false, .value = true},
     false,
     {}},
    {"Enter as access key in check-box mode",
     kCheckBoxMode,
     [](ButtonFixture& f) { f.button->AccessKeyPress(13); },
     S::Normal,
     {.value = false},
     false,
     {}},
    {"access key in check-box mode",
     kCheckBoxMode,
     [](ButtonFixture& f) { f.button->AccessKeyPress('o'); },
     S::Normal,
     {.value = true},
     true,
     {"Click"}},
    {"access key unchecking in check-box mode",
     Then({kCheckBoxMode, [](ButtonFixture& f) { f.button->SetValue(true); }, kPointerIn}),
     [](ButtonFixture& f) { f.button->AccessKeyPress('o'); },
     S::Normal,
     {.value = false},
     true,
     {"Click"}},
    {"access key typed as Alt+O",
     Then({kSpaceDown}),
     [](ButtonFixture& f) { QTest::keyClick(&f.Form(), Qt::Key_O, Qt::AltModifier); },
     S::Pressed,
     {.mouseDown = false, .spaceDown = false},
     std::nullopt,
     {"Click"}},
    {"focus gained over the button",
     Then({kPointerIn,
           [](ButtonFixture& f) {
               f.button->clearFocus();
               f.button->SetBackColor(0); // leaves the look alone
           }}),
     [](ButtonFixture& f) { f.button->setFocus(); },
     S::Hot,
     {.hasFocus = true},
     true,
     {}},
    {"focus gained away from it",
     [](ButtonFixture& f) { f.button->clearFocus(); },
     [](ButtonFixture& f) { f.button->setFocus(); },
     S::Normal,
     {.hasFocus = true},
     true,
     {}},
    {"focus lost over it",
     kPointerIn,
     [](ButtonFixture& f) { f.button->clearFocus(); },
     S::Hot,
     {.hasFocus = false},
     true,
     {}},
    {"focus lost while held",
     Then({kPointerIn, kLeftDown, [](ButtonFixture& f) { f.PointerAway(); }}),
     [](ButtonFixture& f) { f.button->clearFocus(); },
     S::Normal,
     {.mouseDown = false, .spaceDown = false, .hasFocus = false},
     true,
     {}},
    {"pointer enters while Space is held",
     kSpaceDown,
     kPointerIn,
     S::Pressed,
     {.mouseOver = true},
     true,
     {"MouseMove", "MouseEnter"}},
    {"pointer leaves", kPointerIn, kPointerAway, S::Normal, {.mouseOver = false}, true, {"MouseLeave"}},
    {"pointer leaves a disabled button",
     Then({kPointerIn, [](ButtonFixture& f) { f.button->SetEnabled(false); }}),
     kPointerAway,
     S::Hot,
     {.mouseOver = false},
     true,
     {"MouseLeave"}},
    // Space took the capture, so the move away reaches the button; the hook reports no leaving.
    {"pointer leaves while Space is held",
     Then({kPointerIn, kSpaceDown}),
     kPointerAway,
     S::Pressed,
     {.mouseOver = false},
     false,
     {"MouseLeave", "MouseMove"}},
    {"Value written false",
     Then({kCheckBoxMode, kPointerIn}),
     [](ButtonFixture& f) { f.button->SetValue(false); },
     S::Normal,
     {},
     true,
     {}},
    {"Value written true outside check-box mode",
     kPointerIn,
     [](ButtonFixture& f) { f.button->SetValue(true); },
     S::Normal,
     {.value = false},
     true,
     {}},
    {"CheckBoxMode written false",
     Then({kCheckBoxMode, [](ButtonFixture& f) { f.button->SetValue(true); }, kPointerIn}),
     [](ButtonFixture& f) { f.button->SetCheckBoxMode(false); },
     S::Normal,
     {.value = true},
     true,
     {}},
};

TEST(ButtonInput, MouseRows) {
    for (const Row& row : kMouseRows) {
        RunRow(row);
    }
}

TEST(ButtonInput, KeyRows) {
    for (const Row& row : kKeyRows) {
        RunRow(row);
    }
}

TEST(ButtonInput, AccessKeyFocusPointerAndValueRows) {
    for (const Row& row : kOtherRows) {
        RunRow(row);
    }
}

TEST(ButtonInput, ParentActivationResetsTheLookAndTheFlags) {
    ButtonFixture f;
    EXPECT_TRUE(f.M().mParentActive);
    f.PointerIn();
    f.LeftDown();
    ASSERT_EQ(f.M().mButtonState, ButtonState::Pressed);
    QWidget other;
    other.show();
    test::MakeActiveWindow(&other);
    EXPECT_FALSE(f.M().mParentActive);
    EXPECT_FALSE(f.M().mMouseDown);
    EXPECT_FALSE(f.M().mHasFocus);
    EXPECT_EQ(f.M().mButtonState, ButtonState::Normal);
    f.log.clear();
    test::MakeActiveWindow(&f.Form());
    EXPECT_TRUE(f.M().mParentActive);
    // Activation shows the normal look; then the focus comes back to the button, with the pointer over it.
    EXPECT_TRUE(f.M().mHasFocus);
    EXPECT_EQ(f.M().mButtonState, ButtonState::Hot);
    EXPECT_TRUE(f.log.isEmpty());
}

TEST(ButtonInput, ArrowKeysMoveTheFocusAndStillRaiseKeyDown) {
    ButtonFixture f;
    auto* second = new mxbutton(&f.Form(), &f.host, 4);
    second->move(120, 20);
    second->show();
    f.button->setFocus();
    f.KeyDown(Qt::Key_Right);
    QCoreApplication::processEvents();
    EXPECT_TRUE(second->hasFocus());
    EXPECT_EQ(f.log, (QStringList{"KeyDown 39"}));
    QTest::keyPress(second, Qt::Key_Up);
    QCoreApplication::processEvents();
    EXPECT_TRUE(f.button->hasFocus());
}

TEST(ButtonInput, DraggingOutsideReportsEveryMoveAndNoClick) {
    ButtonFixture f;
    f.PointerIn();
    f.LeftDown();
    f.log.clear();
    QTest::mouseMove(f.Window(), f.Outside());
    QTest::mouseMove(f.Window(), f.Outside() + QPoint(3, 3));
    QTest::mouseRelease(f.Window(), Qt::LeftButton, {}, f.Outside() + QPoint(3, 3));
    EXPECT_EQ(f.log.count("MouseLeave") >= 2, true) << f.log.join(',').toStdString();
    EXPECT_FALSE(f.log.contains("Click"));
    EXPECT_TRUE(f.log.contains("MouseUp"));
}

} // namespace
} // namespace trimvox::mxbutton
