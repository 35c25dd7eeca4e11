// SPDX-License-Identifier: GPL-3.0-or-later
// The three pictures of the rounded pixel-art look, checked as data: which pixels each corner block sets,
// how many, the fixed rows and colours, and that hot and pressed share one shape.

#include "controls/mxbutton/render/pixel_art_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace trimvox::mxbutton {
namespace {

// #RRGGBB as written in the design notes to the 0x00BBGGRR of the tables.
std::uint32_t FromRgb(std::uint32_t rrggbb) {
    return ((rrggbb >> 16) & 0xFF) | (rrggbb & 0xFF00) | ((rrggbb & 0xFF) << 16);
}

std::vector<std::uint32_t> Colours(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::uint32_t> out;
    std::string word;
    while (in >> word) {
        out.push_back(FromRgb(static_cast<std::uint32_t>(std::stoul(word, nullptr, 16))));
    }
    return out;
}

enum Block { TopLeft, TopRight, BottomLeft, BottomRight };

std::span<const CornerPixel> BlockOf(const PixelArtPicture& p, Block b) {
    switch (b) {
    case TopLeft:
        return p.topLeft;
    case TopRight:
        return p.topRight;
    case BottomLeft:
        return p.bottomLeft;
    case BottomRight:
        return p.bottomRight;
    }
    return {};
}

// Columns set in each row, keyed by the distance of the row from the block's outer edge.
std::map<int, std::vector<int>> Rows(std::span<const CornerPixel> block) {
    std::map<int, std::vector<int>> rows;
    for (const CornerPixel& px : block) {
        rows[std::abs(px.y)].push_back(px.x);
    }
    for (auto& [row, xs] : rows) {
        std::sort(xs.begin(), xs.end());
    }
    return rows;
}

struct PictureCase {
    const char* name;
    const PixelArtPicture* picture;
    int topRows;
    int bottomRows;
    int counts[4];
};

const PictureCase kPictures[] = {
    {"normal", &kPixelArtNormal, 13, 11, {212, 197, 172, 155}},
    {"hot", &kPixelArtHot, 11, 13, {176, 163, 213, 197}},
    {"pressed", &kPixelArtPressed, 11, 13, {176, 163, 213, 197}},
};

// Outer ends of the runs, counted from the outer edge; the last value holds for the remaining rows.
int OuterEnd(Block b, int row) {
    static const std::vector<int> topLeft{6, 5, 3, 3, 2, 1, 1, 1, 0};
    static const std::vector<int> topRight{-8, -6, -5, -4, -3, -2, -2, -2, -1};
    static const std::vector<int> bottomLeft{7, 5, 3, 2, 2, 1, 1, 0};
    static const std::vector<int> bottomRight{-8, -6, -5, -4, -3, -2, -2, -2, -1};
    const std::vector<int>& v = b == TopLeft      ? topLeft
                                : b == TopRight   ? topRight
                                : b == BottomLeft ? bottomLeft
                                                  : bottomRight;
    return v[std::min<std::size_t>(row, v.size() - 1)];
}

TEST(PixelArtTables, BlocksSetTheGivenNumberOfPixelsInTheirRows) {
    for (const PictureCase& c : kPictures) {
        for (Block b : {TopLeft, TopRight, BottomLeft, BottomRight}) {
            SCOPED_TRACE(std::string(c.name) + " block " + std::to_string(b));
            std::span<const CornerPixel> block = BlockOf(*c.picture, b);
            EXPECT_EQ(static_cast<int>(block.size()), c.counts[b]);
            const bool top = b == TopLeft || b == TopRight;
            const bool left = b == TopLeft || b == BottomLeft;
            std::set<std::pair<int, int>> seen;
            for (const CornerPixel& px : block) {
                EXPECT_TRUE(seen.insert({px.x, px.y}).second)
                    << "pixel set twice: " << int(px.x) << "," << int(px.y);
                if (top) {
                    EXPECT_GE(px.y, 0);
                } else {
                    EXPECT_LE(px.y, 0);
                }
                if (left) {
                    EXPECT_TRUE(px.x >= 0 && px.x <= 17) << int(px.x);
                } else {
                    EXPECT_TRUE(px.x >= -17 && px.x <= -1) << int(px.x);
                }
            }
            const auto rows = Rows(block);
            EXPECT_EQ(static_cast<int>(rows.size()), top ? c.topRows : c.bottomRows);
            EXPECT_EQ(rows.rbegin()->first, (top ? c.topRows : c.bottomRows) - 1);
        }
    }
}

// Every row runs from the traced outline to the inner column (17, or W - 17); only the normal picture's
// bottom blocks leave a few pixels out, and only in rows H - 6 to H - 4.
TEST(PixelArtTables, RowsAreRunsFromTheOutlineToTheInnerColumn) {
    for (const PictureCase& c : kPictures) {
        for (Block b : {TopLeft, TopRight, BottomLeft, BottomRight}) {
            SCOPED_TRACE(std::string(c.name) + " block " + std::to_string(b));
            const bool left = b == TopLeft || b == BottomLeft;
            int missing = 0;
            for (const auto& [row, xs] : Rows(BlockOf(*c.picture, b))) {
                const int from = left ? OuterEnd(b, row) : -17;
                const int to = left ? 17 : OuterEnd(b, row);
                EXPECT_EQ(xs.front(), from) << "row " << row;
                EXPECT_EQ(xs.back(), to) << "row " << row;
                const int gap = (to - from + 1) - static_cast<int>(xs.size());
                if (gap != 0) {
                    EXPECT_TRUE(row >= 4 && row <= 6) << "gap in row " << row;
                }
                missing += gap;
            }
            const bool normalBottom = c.picture == &kPixelArtNormal && (b == BottomLeft || b == BottomRight);
            if (normalBottom) {
                EXPECT_GT(missing, 0);
            } else {
                EXPECT_EQ(missing, 0);
            }
        }
    }
}

TEST(PixelArtTables, HotAndPressedSetTheSamePixels) {
    for (Block b : {TopLeft, TopRight, BottomLeft, BottomRight}) {
        std::span<const CornerPixel> hot = BlockOf(kPixelArtHot, b);
        std::span<const CornerPixel> pressed = BlockOf(kPixelArtPressed, b);
        ASSERT_EQ(hot.size(), pressed.size());
        std::set<std::pair<int, int>> a, p;
        for (std::size_t i = 0; i < hot.size(); ++i) {
            a.insert({hot[i].x, hot[i].y});
            p.insert({pressed[i].x, pressed[i].y});
        }
        EXPECT_EQ(a, p) << "block " << b;
    }
}

std::set<std::uint32_t> DistinctColours(std::initializer_list<const PixelArtPicture*> pictures) {
    std::set<std::uint32_t> colours;
    for (const PixelArtPicture* p : pictures) {
        for (Block b : {TopLeft, TopRight, BottomLeft, BottomRight}) {
            for (const CornerPixel& px : BlockOf(*p, b)) {
                colours.insert(px.color);
            }
        }
    }
    return colours;
}

TEST(PixelArtTables, CornerBlocksUseTheGivenNumberOfColours) {
    EXPECT_EQ(DistinctColours({&kPixelArtNormal}).size(), 191u);
    EXPECT_EQ(DistinctColours({&kPixelArtHot, &kPixelArtPressed}).size(), 568u);
}

std::uint32_t ColourAt(std::span<const CornerPixel> block, int x, int y) {
    for (const CornerPixel& px : block) {
        if (px.x == x && px.y == y) {
            return px.color;
        }
    }
    ADD_FAILURE() << "no pixel at " << x << "," << y;
    return 0;
}

TEST(PixelArtTables, FixedRowsAndColumnsHoldTheirColours) {
    struct Line {
        const PixelArtPicture* picture;
        Block block;
        int x0, y0, dx, dy;
        const char* colours;
    };
    const Line lines[] = {
        {&kPixelArtNormal, TopLeft, 6, 0, 1, 0,
         "FEFEFE E6E6E6 ACACAC 7A7A7A 6C6C6C 6B6B6B 6F6F6F 6F6F71 707072 666867 6B6D6C 6A6967"},
        {&kPixelArtNormal, TopLeft, 0, 8, 0, 1, "FDFDFD FAFAFA F7F7F7 F5F5F5 F5F5F5"},
        {&kPixelArtHot, TopLeft, 6, 0, 1, 0,
         "FEFEFE E5E5E6 A5A5A9 5E5E6C 292748 0C0D37 060737 050636 06063A 070841 070745 080645"},
        {&kPixelArtNormal, BottomLeft, 5, -1, 1, 0,
         "FCFCFC F5F5F5 EBEBEB E1E1E1 D6D6D6 CECECE C9C9C9 C7C7C7 C7C7C7 C6C6C6 C6C6C6 C5C5C5 C5C5C5"},
        {&kPixelArtHot, BottomLeft, 5, -1, 1, 0,
         "FCFCFC F5F5F5 EBEBEB E1E1E1 D6D6D6 CECECE C9C9C9 C7C7C7 C7C7C7 C6C6C6 C6C6C6 C5C5C5 C5C5C5"},
    };
    for (const Line& line : lines) {
        const auto colours = Colours(line.colours);
        for (std::size_t i = 0; i < colours.size(); ++i) {
            const int x = line.x0 + line.dx * static_cast<int>(i);
            const int y = line.y0 + line.dy * static_cast<int>(i);
            EXPECT_EQ(ColourAt(BlockOf(*line.picture, line.block), x, y), colours[i]) << x << "," << y;
        }
    }
}

TEST(PixelArtTables, CentreAndEdgeLineColours) {
    struct Edges {
        const PixelArtPicture* picture;
        std::uint32_t centre;
        const char* left;
        const char* right;
        const char* top;
        const char* bottom;
    };
    const Edges cases[] = {
        {&kPixelArtNormal, 0xE8E7EA,
         "F7F7F7 A0A0A0 999999 C3C3C3 C9C9C9 D5D5D5 D7D7D7 DFDFDF E0E0E0 E0E0E0 E4E4E4 E6E8E6 E7E7E8 E8E7EA "
         "E8E7EA E8E7EA E8E7EA E8E7EA",
         "E8E7EA E8E7EA E8E7EA E8E7EA E7E7E7 E6E6E6 E4E4E4 E0E0E0 E0E0E0 DEDEDE D9D9D9 D3D3D3 CCCCCC C3C3C3 "
         "A3A3A3 9C9C9C F6F6F6",
         "6A6967 F6F4F5 F4F2F3 EEEEEE EBEBEB EAE8EB EAE8EB EAEAEA E1E1E1 E3E2E5 E8E7EA E9EBE8",
         "E9EBE8 EFF1EE F2F2F2 F5F5F5 FEFEFF FFFFFF FDFDFD FEFEFE FBFBFB 545454 C5C5C5 ECECEC"},
        {&kPixelArtHot, 0x6AA6E2,
         "F7F7F7 9EA0B0 132E71 145FBD 2773D1 317FD4 3D8CD9 4B94D9 4F94D7 559CDC 579BDC 62A3E3 65A2E3 67A3E2 "
         "65A1E0 6AA6E3 6AA6E3 6AA6E2",
         "6AA6E2 6AA6E2 64A4E1 63A3E0 63A3E0 61A1E1 5B9FE0 5598DE 5297DC 4B93DB 398DD6 2D7FD1 2674D6 135DC0 "
         "14357C 989BAB F6F6F6",
         "080645 C9D4F1 BDC8E5 A1C0E8 98B8E0 8EB4E3 8BB1E0 7FB4E9 6399CE 64A0DD 6AA6E2 76ACE6",
         "76ACE6 81B6F1 8ABDF3 92C5FC 97CEF8 9ED5FE A3DDF7 ADE6FF C5E2E9 405D63 C5C5C5 ECECEC"},
        {&kPixelArtPressed, 0x6A9BCC,
         "F7F7F7 9B9DA9 172D63 1D5AA6 2E6CB9 3877BC 4282C1 4E89C2 528AC1 5791C5 5991C5 6398CC 6596CC 6797CB "
         "6595C9 6A9ACC 6A9ACC 6A9BCC",
         "6A9BCC 6A9BCC 6498CA 6397C9 6397C9 6295CA 5D94C9 578EC6 558CC4 4E88C3 3E82BE 3476B9 2D6DBD 1C58A8 "
         "19336D 9497A4 F6F6F6",
         "0A093C BEC7DE B2BCD3 9AB3D4 92ACCC 8AA8CF 87A5CC 7DA7D2 628EB9 6494C6 6A9BCC 75A1D0",
         "75A1D0 7FAADA 87B0DC 8EB8E4 93BFE1 99C6E7 9DCCE2 A6D5E9 BAD2D7 3E565A C5C5C5 ECECEC"},
    };
    for (const Edges& e : cases) {
        EXPECT_EQ(e.picture->centre, FromRgb(e.centre));
        const auto eq = [](auto arr, const char* text) {
            return std::vector<std::uint32_t>(arr.begin(), arr.end()) == Colours(text);
        };
        EXPECT_TRUE(eq(e.picture->left, e.left));
        EXPECT_TRUE(eq(e.picture->right, e.right));
        EXPECT_TRUE(eq(e.picture->top, e.top));
        EXPECT_TRUE(eq(e.picture->bottom, e.bottom));
    }
}

int Luminance(std::uint32_t c) {
    return (299 * (c & 0xFF) + 587 * ((c >> 8) & 0xFF) + 114 * ((c >> 16) & 0xFF)) / 1000;
}

// The pressed picture is the hot one, darker: on the whole, and never noticeably brighter at any pixel.
TEST(PixelArtTables, PressedCornersAreDarkerThanHot) {
    long hotSum = 0;
    long pressedSum = 0;
    for (Block b : {TopLeft, TopRight, BottomLeft, BottomRight}) {
        for (const CornerPixel& px : BlockOf(kPixelArtHot, b)) {
            const int hot = Luminance(px.color);
            const int pressed = Luminance(ColourAt(BlockOf(kPixelArtPressed, b), px.x, px.y));
            EXPECT_LE(pressed, hot + 4) << "block " << b << " at " << int(px.x) << "," << int(px.y);
            hotSum += hot;
            pressedSum += pressed;
        }
    }
    EXPECT_LT(pressedSum, hotSum);
}

// Where a corner block meets a straight side that no edge line paints over (the right blocks' inner
// column in the top rows), the corner continues the side's colour.
TEST(PixelArtTables, RightCornersJoinTheTopEdgeLines) {
    for (const PictureCase& c : kPictures) {
        for (int y = 0; y < std::min(c.topRows, 11); ++y) {
            EXPECT_EQ(ColourAt(c.picture->topRight, -17, y), c.picture->top[y]) << c.name << " row " << y;
        }
    }
}

} // namespace
} // namespace trimvox::mxbutton
