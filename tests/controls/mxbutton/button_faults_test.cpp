// SPDX-License-Identifier: GPL-3.0-or-later
#include "button_rows.h"
#include "support/active_window.h"

#include <QSignalSpy>

namespace trimvox::mxbutton {
namespace {

using namespace rows;

// A second button on the same form, at (120, 20), made on first use.
mxbutton& Second(ButtonFixture& f) {
    if (auto* b = f.Form().findChild<mxbutton*>(QStringLiteral("second"))) {
        return *b;
    }
    auto* b = new mxbutton(&f.Form(), &f.host, 4);
    b->setObjectName(QStringLiteral("second"));
    b->move(120, 20);
    b->resize(89, 33);
    b->ReadProperties(ButtonFixture::DefaultStore());
    b->show();
    return *b;
}

// Another window takes the activation from the form, and gives it back.
void DeactivateForm(ButtonFixture& f) {
    auto* other = f.Form().findChild<QWidget*>(QStringLiteral("other"));
    if (other == nullptr) {
        other = new QWidget(&f.Form(), Qt::Window);
        other->setObjectName(QStringLiteral("other"));
        other->show();
    }
    test::MakeActiveWindow(other);
}
void ActivateForm(ButtonFixture& f) {
    test::MakeActiveWindow(&f.Form());
}

// The capture must be gone: a real click on the second button reaches it and clicks it.
void ExpectNoCaptureAndTheNextClickLands(ButtonFixture& f) {
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << "the capture outlived its reason";
    mxbutton& second = Second(f);
    QSignalSpy clicks(&second, &mxbutton::Click);
    const QPoint onSecond(130, 30);
    QTest::mouseMove(f.Window(), onSecond);
    QTest::mousePress(f.Window(), Qt::LeftButton, {}, onSecond);
    QTest::mouseRelease(f.Window(), Qt::LeftButton, {}, onSecond);
    EXPECT_EQ(clicks.count(), 1) << "the click on the other button was swallowed";
    f.PointerAway();
}

const Step kDisable = [](ButtonFixture& f) { f.button->SetEnabled(false); };
const Step kEnable = [](ButtonFixture& f) { f.button->SetEnabled(true); };
// The left button goes down over the button and the pointer is dragged off it, the button still held.
const Step kHeldAndDraggedOff = Then({kPointerIn, kLeftDown, kPointerAway});

// Sequences that went wrong: the pointer over a disabled button, captures that outlived Space, the
// release of a swallowed Alt+Space, focus gained without a redraw; and rows that tell apart the focus,
// double-click and activation rules from their near misses.
const Row kFaultRows[] = {
    {"pointer passes over a disabled button it was over before",
     Then({kPointerIn, kPointerAway, kDisable}),
     kPointerIn,
     S::Normal,
     {.mouseOver = false},
     false,
     {}},
    {"a disabled button enabled again after the pointer passed over it",
     Then({kPointerIn, kPointerAway, kDisable, kPointerIn, kPointerAway}),
     kEnable,
     S::Normal,
     {.mouseOver = false},
     true,
     {}},
    {"Space held, Tab to another button, Space released",
     Then({[](ButtonFixture& f) { Second(f); }, kSpaceDown}),
     [](ButtonFixture& f) {
         QTest::keyClick(f.button, Qt::Key_Tab);
         EXPECT_TRUE(Second(f).hasFocus());
         QTest::keyRelease(&Second(f), Qt::Key_Space);
         ExpectNoCaptureAndTheNextClickLands(f);
     },
     S::Normal,
     {.spaceDown = false, .hasFocus = false},
     true,
     {}},
    {"Space held while the form is deactivated",
     Then({[](ButtonFixture& f) { Second(f); }, kSpaceDown}),
     [](ButtonFixture& f) {
         DeactivateForm(f);
         ActivateForm(f);
         ExpectNoCaptureAndTheNextClickLands(f);
     },
     S::Normal,
     {.spaceDown = false},
     true,
     {}},
    {"Alt+Space released",
     [](ButtonFixture& f) { f.KeyDown(Qt::Key_Space, Qt::AltModifier); },
     [](ButtonFixture& f) { f.KeyUp(Qt::Key_Space, Qt::AltModifier); },
     S::Normal,
     {.spaceDown = false},
     true,
     {"KeyUp 32"}},
    {"Alt+Space, Alt let go first, then Space released",
     [](ButtonFixture& f) { f.KeyDown(Qt::Key_Space, Qt::AltModifier); },
     [](ButtonFixture& f) {
         f.KeyUp(Qt::Key_Alt);
         f.KeyUp(Qt::Key_Space);
     },
     S::Normal,
     {},
     true,
     {"KeyUp 32"}},
    {"Space released after an earlier Alt+Space still clicks",
     Then({[](ButtonFixture& f) { f.KeyDown(Qt::Key_Space, Qt::AltModifier); },
           [](ButtonFixture& f) { f.KeyUp(Qt::Key_Space, Qt::AltModifier); }, kSpaceDown}),
     kSpaceUp,
     S::Normal,
     {.spaceDown = false},
     true,
     {"Click", "KeyUp 32"}},
    {"focus reached with the Tab key",
     [](ButtonFixture& f) { Second(f).setFocus(); },
     [](ButtonFixture& f) { QTest::keyClick(&Second(f), Qt::Key_Backtab, Qt::ShiftModifier); },
     S::Normal,
     {.hasFocus = true},
     true,
     {}},
    // The button takes no focus from the click here, so the focus arrives while the mouse is down.
    {"focus gained while the mouse is down off the button",
     Then({[](ButtonFixture& f) {
               f.button->clearFocus();
               f.button->setFocusPolicy(Qt::TabFocus);
           },
           kHeldAndDraggedOff,
           [](ButtonFixture& f) { ASSERT_EQ(f.M().mButtonState, ButtonState::Pressed); }}),
     [](ButtonFixture& f) { f.button->setFocus(); },
     S::Pressed,
     {.mouseOver = false, .mouseDown = true, .hasFocus = true},
     true,
     {}},
    {"right-button double-click",
     Then({kPointerIn, [](ButtonFixture& f) { f.RightDown(); }, [](ButtonFixture& f) { f.RightUp(); }}),
     [](ButtonFixture& f) {
         QTest::mouseDClick(f.button, Qt::RightButton, {}, QPoint(10, 10));
         EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << "a right double-click takes no capture";
     },
     S::Hot,
     {.mouseDown = false},
     false,
     {}},
    // The focus stays on the other button, so no focus-in covers what the activation itself does.
    {"form activated with the pointer over the button and the focus elsewhere",
     Then({[](ButtonFixture& f) { Second(f).setFocus(); }, DeactivateForm, kPointerIn,
           [](ButtonFixture& f) { ASSERT_EQ(f.M().mButtonState, ButtonState::Hot); }}),
     ActivateForm,
     S::Normal,
     {.mouseOver = true, .hasFocus = false, .parentActive = true},
     true,
     {}},
};

TEST(ButtonInput, FaultAndNearMissRows) {
    for (const Row& row : kFaultRows) {
        RunRow(row);
    }
}

} // namespace
} // namespace trimvox::mxbutton
