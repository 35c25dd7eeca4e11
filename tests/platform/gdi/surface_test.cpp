// SPDX-License-Identifier: GPL-3.0-or-later
// The drawing surface against GDI's pixel rules.

#include "platform/gdi/surface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace trimvox::gdi {
namespace {

constexpr ColorRef kBg = 0x102030;
constexpr ColorRef kInk = 0x0000FF; // red

Surface Blank(int w, int h) {
    Surface s(w, h);
    s.SetBackColor(kBg);
    s.Clear();
    return s;
}

// One character per pixel: '#' for ink, '.' for the background, '?' for anything else.
std::string Art(const Surface& s, ColorRef ink = kInk) {
    std::string out;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            const ColorRef c = s.GetPixel(x, y);
            out += c == ink ? '#' : c == kBg ? '.' : '?';
        }
        out += '\n';
    }
    return out;
}

TEST(SurfaceTest, ClearUsesTheResolvedBackgroundColour) {
    Surface s(3, 2);
    s.SetBackColor(kSysButtonFace);
    s.Clear();
    EXPECT_EQ(s.GetPixel(2, 1), 0xF0F0F0u);
    EXPECT_EQ(s.GetPixel(3, 1), kInvalidColor);
    EXPECT_EQ(s.GetPixel(-1, 0), kInvalidColor);
}

TEST(SurfaceTest, FillRectLeavesOutRightColumnAndBottomRowAndClips) {
    Surface s = Blank(5, 4);
    s.FillRect({1, 1, 3, 3}, kInk);
    s.FillRect({4, 3, 9, 9}, kInk); // mostly outside
    EXPECT_EQ(Art(s), ".....\n"
                      ".##..\n"
                      ".##..\n"
                      "....#\n");
}

TEST(SurfaceTest, FillRectWithSwappedCornersFillsTheOrderedRectangle) {
    Surface s = Blank(4, 3);
    s.FillRect({3, 2, 1, 0}, kInk);
    EXPECT_EQ(Art(s), ".##.\n"
                      ".##.\n"
                      "....\n");
}

TEST(SurfaceTest, FrameRectDrawsTheBorderInsideTheRectangle) {
    struct Case {
        Rect r;
        const char* expected;
    };
    const Case cases[] = {
        {{0, 0, 4, 3}, "####.\n#..#.\n####.\n"}, {{1, 0, 2, 3}, ".#...\n.#...\n.#...\n"}, // one column wide
        {{0, 0, 6, 4}, "#####\n#....\n#....\n"}, // right and bottom edges off the surface
        {{2, 1, 2, 3}, ".....\n.....\n.....\n"}, // empty
        {{3, 2, 1, 0}, ".....\n.....\n.....\n"}, // inverted: nothing
    };
    for (const Case& c : cases) {
        Surface s = Blank(5, 3);
        s.FrameRect(c.r, kInk);
        EXPECT_EQ(Art(s), c.expected) << c.r.left << "," << c.r.top << "," << c.r.right << "," << c.r.bottom;
    }
}

TEST(SurfaceTest, LineLeavesOutItsEndPointInEveryDirection) {
    struct Case {
        int x1, y1, x2, y2;
        const char* expected;
    };
    const Case cases[] = {
        {0, 1, 4, 1, ".....\n####.\n.....\n.....\n"},  {4, 2, 0, 2, ".....\n.....\n.####\n.....\n"},
        {2, 0, 2, 3, "..#..\n..#..\n..#..\n.....\n"},  {3, 3, 3, 0, ".....\n...#.\n...#.\n...#.\n"},
        {0, 0, 3, 3, "#....\n.#...\n..#..\n.....\n"},  {1, 1, 1, 1, ".....\n.....\n.....\n.....\n"},
        {-3, 0, 2, 0, "##...\n.....\n.....\n.....\n"}, // starts off the surface
    };
    for (const Case& c : cases) {
        Surface s = Blank(5, 4);
        s.DrawLine(c.x1, c.y1, c.x2, c.y2, kInk);
        EXPECT_EQ(Art(s), c.expected) << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
    }
}

TEST(SurfaceTest, DrawEdgeUsesTheSystemThreeDColours) {
    const ColorRef light = 0xE3E3E3, white = 0xFFFFFF, shadow = 0xA0A0A0, dark = 0x696969;
    struct Probe {
        int x, y;
        ColorRef colour;
    };
    struct Case {
        unsigned edge;
        std::vector<Probe> probes;
    };
    const Case cases[] = {
        {kEdgeRaised,
         {{0, 0, light},
          {5, 0, dark},
          {0, 4, dark},
          {5, 4, dark},
          {1, 1, white},
          {4, 1, shadow},
          {1, 3, shadow},
          {4, 3, shadow},
          {2, 2, kBg}}},
        {kEdgeSunken,
         {{0, 0, shadow},
          {5, 0, white},
          {0, 4, white},
          {1, 1, dark},
          {4, 1, light},
          {1, 3, light},
          {2, 2, kBg}}},
        {kBdrRaisedInner, {{0, 0, white}, {4, 0, white}, {5, 0, shadow}, {0, 4, shadow}, {1, 1, kBg}}},
    };
    for (const Case& c : cases) {
        Surface s = Blank(6, 5);
        s.DrawEdge({0, 0, 6, 5}, c.edge, kBfRect);
        for (const Probe& p : c.probes)
            EXPECT_EQ(s.GetPixel(p.x, p.y), p.colour) << "edge " << c.edge << " at " << p.x << "," << p.y;
    }
}

TEST(SurfaceTest, FocusRectInvertsEveryOtherBorderPixelAndUndoesItself) {
    Surface s = Blank(6, 5);
    s.SetPixel(2, 1, kInk);
    s.DrawFocusRect({1, 1, 5, 4});
    const ColorRef inverted = 0xEFDFCF;
    // Pixels whose x + y is even are inverted; the inside is untouched.
    EXPECT_EQ(s.GetPixel(1, 1), inverted);
    EXPECT_EQ(s.GetPixel(2, 1), kInk);
    EXPECT_EQ(s.GetPixel(3, 1), inverted);
    EXPECT_EQ(s.GetPixel(4, 2), inverted);
    EXPECT_EQ(s.GetPixel(1, 2), kBg);
    EXPECT_EQ(s.GetPixel(3, 3), inverted); // bottom edge
    EXPECT_EQ(s.GetPixel(2, 3), kBg);
    EXPECT_EQ(s.GetPixel(1, 3), inverted);
    EXPECT_EQ(s.GetPixel(2, 2), kBg);
    EXPECT_EQ(s.GetPixel(0, 0), kBg);
    s.DrawFocusRect({1, 1, 5, 4});
    EXPECT_EQ(Art(s).find('?'), std::string::npos);
    EXPECT_EQ(s.GetPixel(2, 1), kInk);
}

TEST(SurfaceTest, StretchDIBitsReadsBottomUpRowsAndCombinesByRop) {
    // 2 x 2, 24 bits: rows padded to 8 bytes; the first row in memory is the bottom row.
    const std::uint8_t bits[16] = {
        0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0, 0, // bottom: red, green
        0xFF, 0x00, 0x00, 0xFF, 0xFF, 0xFF, 0, 0, // top: blue, white
    };
    BitmapInfoHeader info;
    info.width = 2;
    info.height = 2;
    info.bitCount = 24;
    Surface s = Blank(4, 4);
    s.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, bits, info, Rop::SrcCopy);
    EXPECT_EQ(s.GetPixel(0, 0), 0xFF0000u); // blue
    EXPECT_EQ(s.GetPixel(1, 0), 0xFFFFFFu);
    EXPECT_EQ(s.GetPixel(0, 1), 0x0000FFu); // red
    EXPECT_EQ(s.GetPixel(1, 1), 0x00FF00u);
    // Scaled to 4 x 4 by whole pixels.
    s.StretchDIBits(0, 0, 4, 4, 0, 0, 2, 2, bits, info, Rop::SrcCopy);
    EXPECT_EQ(s.GetPixel(1, 1), 0xFF0000u);
    EXPECT_EQ(s.GetPixel(3, 3), 0x00FF00u);
    // AND and OR.
    Surface t = Blank(2, 2);
    t.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, bits, info, Rop::SrcAnd);
    EXPECT_EQ(t.GetPixel(1, 0), kBg);
    EXPECT_EQ(t.GetPixel(0, 1), kBg & 0x0000FF);
    t.StretchDIBits(0, 0, 2, 2, 0, 0, 2, 2, bits, info, Rop::SrcPaint);
    EXPECT_EQ(t.GetPixel(1, 0), 0xFFFFFFu);
}

TEST(SurfaceTest, BlitsCopyWithoutScalingAndSkipTheTransparentColour) {
    const Pixel a = PixelFromColor(0x0000FF), k = PixelFromColor(0x00FF00);
    const std::vector<Pixel> px = {a, k, a, k, a, k, a, k, a}; // 3 x 3
    const BitmapView src{px.data(), 3, 3};
    Surface s = Blank(4, 4);
    s.TransparentBlt(0, 0, 2, 2, src, 0, 0, 2, 2, 0x00FF00);
    EXPECT_EQ(s.GetPixel(0, 0), 0x0000FFu);
    EXPECT_EQ(s.GetPixel(1, 0), kBg);
    EXPECT_EQ(s.GetPixel(0, 1), kBg);
    EXPECT_EQ(s.GetPixel(2, 2), kBg); // outside the 2 x 2 part
    s.StretchBlt(0, 0, 4, 4, src, 0, 0, 4, 4);
    EXPECT_EQ(s.GetPixel(1, 0), 0x00FF00u);
    EXPECT_EQ(s.GetPixel(3, 3), kBg); // beyond the bitmap: left as it was
}

TEST(SurfaceTest, IconsAreScaledAndTheirMaskKeepsTheSurface) {
    // 2 x 2 icon, transparent at the top-left and the bottom-right. Building it blackens the colour under
    // the mask, so its transparent parts show the surface even where the source image had a colour.
    Picture icon = Picture::MakeIcon(2, 2,
                                     {PixelFromColor(0x123456), PixelFromColor(0x0000FF),
                                      PixelFromColor(0x00FF00), PixelFromColor(0xFFFFFF)},
                                     {1, 0, 0, 1});
    EXPECT_EQ(icon.pixels[0], 0u);
    Surface s = Blank(4, 4);
    s.DrawIconEx(0, 0, icon, 4, 4);
    EXPECT_EQ(s.GetPixel(0, 0), kBg);
    EXPECT_EQ(s.GetPixel(1, 1), kBg);
    EXPECT_EQ(s.GetPixel(2, 0), 0x0000FFu);
    EXPECT_EQ(s.GetPixel(0, 3), 0x00FF00u);
    EXPECT_EQ(s.GetPixel(3, 3), kBg);
    // A colour under the mask is combined with XOR, as monochrome icons invert the screen.
    icon.pixels[3] = PixelFromColor(0xFFFFFF);
    s.DrawIconEx(0, 0, icon, 4, 4);
    EXPECT_EQ(s.GetPixel(3, 3), kBg ^ 0xFFFFFFu);
}

} // namespace
} // namespace trimvox::gdi
