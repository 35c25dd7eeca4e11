// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/window_outline.h"

#include <gtest/gtest.h>

namespace trimvox::mxbutton {
namespace {

TEST(WindowOutline, RoundedStylesReachOnePixelFurtherWithTheirEllipse) {
    struct Row {
        std::int32_t style;
        std::int32_t ellipse; // 0 for the plain rectangle
    };
    const Row rows[] = {{0, 0}, {1, 0},  {2, 3},  {3, 4},  {4, 3},  {5, 0},   {6, 3},  {7, 0},  {8, 3},
                        {9, 0}, {10, 4}, {11, 0}, {12, 0}, {13, 0}, {14, 18}, {15, 0}, {16, 0}, {-1, 0}};
    for (const Row& row : rows) {
        const WindowOutline outline = OutlineForStyle(row.style, 57, 25);
        if (row.ellipse == 0) {
            EXPECT_EQ(outline, (WindowOutline{false, 57, 25, 0})) << "style " << row.style;
        } else {
            EXPECT_EQ(outline, (WindowOutline{true, 58, 26, row.ellipse})) << "style " << row.style;
        }
    }
}

} // namespace
} // namespace trimvox::mxbutton
