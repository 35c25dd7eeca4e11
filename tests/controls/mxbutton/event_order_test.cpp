// SPDX-License-Identifier: GPL-3.0-or-later
#include "button_fixture.h"

#include <gtest/gtest.h>

namespace trimvox::mxbutton {
namespace {

TEST(EventOrder, PointerEnteringGivesMouseMoveThenMouseEnter) {
    ButtonFixture f;
    std::vector<bool> overDuringMove;
    QObject::connect(f.button, &mxbutton::MouseMove,
                     [&](int, qint16, qint16, float, float) { overDuringMove.push_back(f.M().mMouseOver); });
    f.PointerIn();
    EXPECT_EQ(f.log, (QStringList{"MouseMove", "MouseEnter"}));
    EXPECT_EQ(overDuringMove, std::vector<bool>{false}) << "the window's own handling runs before the hook";
    EXPECT_TRUE(f.M().mMouseOver);
    EXPECT_EQ(f.M().mButtonState, ButtonState::Hot);
}

TEST(EventOrder, LeavingGivesOneMouseLeave) {
    ButtonFixture f;
    f.PointerIn();
    f.log.clear();
    f.PointerAway();
    EXPECT_EQ(f.log, (QStringList{"MouseLeave"}));
    EXPECT_FALSE(f.M().mMouseOver);
    EXPECT_EQ(f.M().mButtonState, ButtonState::Normal);
}

TEST(EventOrder, ClickGivesMouseDownClickMouseUp) {
    ButtonFixture f;
    f.PointerIn();
    f.log.clear();
    f.LeftDown();
    f.LeftUp();
    EXPECT_EQ(f.log, (QStringList{"MouseDown", "Click", "MouseUp"}));
}

TEST(EventOrder, DoubleClickStandsInPlaceOfTheSecondPress) {
    ButtonFixture f;
    f.PointerIn();
    f.log.clear();
    QTest::mouseDClick(f.Window(), Qt::LeftButton, {}, f.Inside());
    EXPECT_EQ(f.log,
              (QStringList{"MouseDown", "Click", "MouseUp", "MouseDown", "DblClick", "Click", "MouseUp"}));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << "the capture of the double-click ends with the release";
}

} // namespace
} // namespace trimvox::mxbutton
