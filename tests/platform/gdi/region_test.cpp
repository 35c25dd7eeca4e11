// SPDX-License-Identifier: GPL-3.0-or-later
// Window regions: rectangles and CreateRoundRectRgn's rounded rectangles.

#include "platform/gdi/region.h"

#include <gtest/gtest.h>

#include <string>

namespace trimvox::gdi {
namespace {

std::string Mask(const Region& r, int w, int h) {
    std::string out;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            out += r.Contains(x, y) ? '#' : '.';
        out += '\n';
    }
    return out;
}

TEST(RegionTest, RoundRectLosesItsLastColumnAndRow) {
    // The usual call for a W x H window passes W + 1 and H + 1.
    const Region r = Region::RoundRect(0, 0, 9, 7, 3, 3);
    EXPECT_EQ(r.Bounds(), (Rect{0, 0, 8, 6}));
    EXPECT_EQ(Mask(r, 9, 7), ".######..\n"
                             "########.\n"
                             "########.\n"
                             "########.\n"
                             "########.\n"
                             ".######..\n"
                             ".........\n");
}

TEST(RegionTest, FiveByFiveEllipseCutsOnePixelPerCorner) {
    const Region r = Region::RoundRect(0, 0, 11, 9, 5, 5);
    EXPECT_EQ(Mask(r, 11, 9), ".########..\n"
                              "##########.\n"
                              "##########.\n"
                              "##########.\n"
                              "##########.\n"
                              "##########.\n"
                              "##########.\n"
                              ".########..\n"
                              "...........\n");
}

TEST(RegionTest, SmallEllipseOrSwappedCornersGiveAPlainRectangle) {
    EXPECT_EQ(Region::RoundRect(0, 0, 5, 4, 1, 9), Region::FromRect(0, 0, 4, 3));
    EXPECT_EQ(Region::RoundRect(5, 4, 0, 0, 0, 0), Region::FromRect(0, 0, 4, 3));
    EXPECT_TRUE(Region::FromRect(2, 2, 2, 5).IsEmpty());
}

TEST(RegionTest, EllipseIsClampedToTheRectangle) {
    // An ellipse of 18 on a 10 x 6 rectangle behaves as one of 10 x 6.
    EXPECT_EQ(Region::RoundRect(0, 0, 11, 7, 18, 18), Region::RoundRect(0, 0, 11, 7, 10, 6));
    const Region r = Region::RoundRect(0, 0, 58, 26, 18, 18);
    EXPECT_FALSE(r.Contains(0, 0));
    EXPECT_TRUE(r.Contains(28, 0));
    EXPECT_TRUE(r.Contains(0, 12));
    EXPECT_FALSE(r.Contains(57, 12));
    EXPECT_FALSE(r.Contains(56, 24));
}

} // namespace
} // namespace trimvox::gdi
