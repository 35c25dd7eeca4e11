// SPDX-License-Identifier: GPL-3.0-or-later
// Colour arithmetic and the shared drawing operations of the painters.

#include "controls/mxbutton/render/drawing_ops.h"

#include <gtest/gtest.h>

namespace trimvox::mxbutton {
namespace {

using gdi::Rgb;

TEST(DrawingOpsTest, ShiftColorRoundsHalvesToEvenAndClampsTowardTheShift) {
    const struct {
        ColorRef in;
        float factor;
        ColorRef out;
    } cases[] = {
        {0xD4D4D4, 0.06f, 0xE3E3E3},                      // 212 + 15.3
        {Rgb(0, 1, 2), 0.1f, Rgb(26, 26, 28)},            // 25.5, 26.5 and 27.5 go to even
        {Rgb(100, 101, 0), -0.1f, Rgb(74, 76, 0)},        // 74.5 -> 74, 75.5 -> 76, below 0 -> 0
        {0xFFFFFF, 0.3f, 0xFFFFFF},                       // clamped at 255
        {Rgb(10, 200, 255), -0.5f, Rgb(0, 72, 128)},      // 200 - 127.5 = 72.5 -> 72; 127.5 -> 128
        {Rgb(0x74, 0x3C, 0x00), 0.3f, Rgb(192, 136, 76)}, // #003C74 lightened: 76.5 -> 76
        {0x123456, 0.0f, 0x123456},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShiftColor(c.in, c.factor), c.out) << std::hex << c.in << " by " << c.factor;
}

TEST(DrawingOpsTest, MixColorsRoundsHalvesToEven) {
    EXPECT_EQ(MixColors(Rgb(1, 3, 0), Rgb(2, 4, 255)), Rgb(2, 4, 128)); // 1.5, 3.5, 127.5
    EXPECT_EQ(MixColors(Rgb(2, 0, 10), Rgb(3, 1, 20)), Rgb(2, 0, 15));  // 2.5 -> 2, 0.5 -> 0
    EXPECT_EQ(MixColors(0xFFFFFF, 0xF0F0F0), 0xF8F8F8);                 // 247.5 -> 248
}

TEST(DrawingOpsTest, GradientTableTruncatesTowardZero) {
    const struct {
        ColorRef c1, c2;
        int n;
        std::vector<ColorRef> table;
    } cases[] = {
        {Rgb(0, 10, 0), Rgb(10, 0, 0), 3, {Rgb(0, 10, 0), Rgb(3, 7, 0), Rgb(6, 4, 0), Rgb(10, 0, 0)}},
        {Rgb(255, 1, 3), Rgb(1, 1, 3), 0, {Rgb(127, 0, 2)}}, // each halved before adding
        {0xFFFFFF, 0x000000, 1, {0xFFFFFF, 0x000000}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GradientTable(c.c1, c.c2, c.n), c.table);
}

class GradientTest : public ::testing::Test {
protected:
    GradientTest() : s(6, 4) {
        s.SetBackColor(kBg);
        s.Clear();
    }
    static constexpr ColorRef kBg = 0x808080;
    gdi::Surface s;
};

TEST_F(GradientTest, FourDirectionsRunFromColourOneToColourTwo) {
    const ColorRef c1 = Rgb(0, 0, 0), c2 = Rgb(90, 0, 0);
    const struct {
        int direction;
        int x0, y0; // where colour 1 is
        int x1, y1; // where colour 2 is
    } cases[] = {{0, 0, 2, 3, 2}, {1, 2, 0, 2, 3}, {2, 0, 0, 3, 3}, {3, 0, 3, 3, 0}};
    for (const auto& c : cases) {
        s.Clear();
        FillGradient(s, 0, 0, 4, 4, c1, c2, c.direction);
        EXPECT_EQ(s.GetPixel(c.x0, c.y0), c1) << c.direction;
        EXPECT_EQ(s.GetPixel(c.x1, c.y1), c2) << c.direction;
        EXPECT_EQ(s.GetPixel(4, 0), kBg);
    }
    // Direction 2 over 4 x 4 has 6 steps: (1, 1) is entry 2.
    s.Clear();
    FillGradient(s, 0, 0, 4, 4, c1, c2, 2);
    EXPECT_EQ(s.GetPixel(1, 1), Rgb(30, 0, 0));
    EXPECT_EQ(s.GetPixel(2, 1), Rgb(45, 0, 0));
}

TEST_F(GradientTest, OneColumnIsTheHalvedMixAndOtherDirectionsAreBlack) {
    FillGradient(s, 1, 0, 1, 4, Rgb(255, 3, 0), Rgb(1, 3, 0), 0);
    EXPECT_EQ(s.GetPixel(1, 0), Rgb(127, 2, 0));
    EXPECT_EQ(s.GetPixel(1, 3), Rgb(127, 2, 0));
    FillGradient(s, 2, 0, 2, 2, 0xFFFFFF, 0xFFFFFF, 7);
    EXPECT_EQ(s.GetPixel(3, 1), 0u);
}

TEST_F(GradientTest, EmptyRectanglesDrawNothingAndOverhangIsClipped) {
    FillGradient(s, 0, 0, 0, 4, 0, 0, 1);
    FillGradient(s, 0, 0, 4, -1, 0, 0, 1);
    EXPECT_EQ(s.GetPixel(0, 0), kBg);
    // Rows 2 to 5 of a six-row gradient starting at y = 2: rows 2 and 3 show entries 0 and 1.
    FillGradient(s, 0, 2, 6, 6, Rgb(0, 0, 0), Rgb(50, 0, 0), 1);
    EXPECT_EQ(s.GetPixel(0, 2), Rgb(0, 0, 0));
    EXPECT_EQ(s.GetPixel(5, 3), Rgb(10, 0, 0));
    EXPECT_EQ(s.GetPixel(0, 1), kBg);
}

TEST(DrawingOpsTest, CornerPixelsSitOneInFromEachCorner) {
    gdi::Surface s(6, 5);
    s.SetBackColor(0);
    s.Clear();
    ButtonModel m;
    m.mWidth = 6;
    m.mHeight = 5;
    SetCornerPixels(s, m, 0xFFFFFF);
    int set = 0;
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x)
            set += s.GetPixel(x, y) == 0xFFFFFF ? 1 : 0;
    EXPECT_EQ(set, 4);
    EXPECT_EQ(s.GetPixel(1, 1), 0xFFFFFFu);
    EXPECT_EQ(s.GetPixel(1, 3), 0xFFFFFFu);
    EXPECT_EQ(s.GetPixel(4, 1), 0xFFFFFFu);
    EXPECT_EQ(s.GetPixel(4, 3), 0xFFFFFFu);
}

} // namespace
} // namespace trimvox::mxbutton
