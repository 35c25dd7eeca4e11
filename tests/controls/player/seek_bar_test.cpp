// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/seek_bar.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

class SeekBarTest : public ::testing::Test {
protected:
    SeekBarTest() {
        bar.resize(210, 14); // 200 px of groove between the handle's half widths
        bar.setMaximum(10000);
    }
    SeekBar bar;
    QSignalSpy seeks{&bar, &SeekBar::seekRequested};
};

TEST_F(SeekBarTest, MapsTheGrooveOntoTheLength) {
    const struct {
        int x;
        qint64 value;
    } cases[] = {{-20, 0}, {0, 0}, {5, 0}, {55, 2500}, {105, 5000}, {205, 10000}, {209, 10000}, {400, 10000}};
    for (const auto& c : cases) {
        EXPECT_EQ(bar.valueAt(c.x), c.value) << c.x;
    }
}

TEST_F(SeekBarTest, ClickSeeksWhereItLands) {
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(155, 7));
    ASSERT_GE(seeks.count(), 1);
    EXPECT_EQ(seeks.last().at(0).toLongLong(), 7500);
    EXPECT_EQ(bar.value(), 7500);
}

TEST_F(SeekBarTest, DragMovesTheHandleAndSeeksWhereReleased) {
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(25, 7));
    bar.setValue(9000); // the playing position must not pull the handle away from the pointer
    QMouseEvent move(QEvent::MouseMove, QPointF(85, 7), bar.mapToGlobal(QPointF(85, 7)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&bar, &move);
    EXPECT_TRUE(bar.isDragging());
    EXPECT_EQ(bar.value(), 4000);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(125, 7));
    EXPECT_FALSE(bar.isDragging());
    ASSERT_EQ(seeks.count(), 2); // on press and on release
    EXPECT_EQ(seeks.at(0).at(0).toLongLong(), 1000);
    EXPECT_EQ(seeks.at(1).at(0).toLongLong(), 6000);
    bar.setValue(9000);
    EXPECT_EQ(bar.value(), 9000);
}

TEST_F(SeekBarTest, WithoutLengthNothingSeeks) {
    bar.setMaximum(0);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(100, 7));
    EXPECT_EQ(seeks.count(), 0);
    bar.setValue(500);
    EXPECT_EQ(bar.value(), 0);
}

} // namespace
} // namespace trimvox
