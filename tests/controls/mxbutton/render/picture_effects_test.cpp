// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures on the face: icons scaled, bitmaps unscaled with the mask colour, the grey look.

#include "controls/mxbutton/render/picture_effects.h"

#include "platform/gdi/dib.h"

#include <gtest/gtest.h>

namespace trimvox::mxbutton {
namespace {

constexpr gdi::ColorRef kFace = 0x336699;

gdi::Surface Face(int w, int h) {
    gdi::Surface s(w, h);
    s.SetBackColor(kFace);
    s.Clear();
    return s;
}

// A bitmap whose pixel (x, y) has red x and green y, on a background of the given colour outside the
// top-left quarter.
gdi::Picture Numbered(int w, int h, gdi::ColorRef background) {
    std::vector<gdi::Pixel> px(static_cast<std::size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            px[static_cast<std::size_t>(y) * w + x] = x < w / 2 && y < h / 2
                                                          ? gdi::PixelFromColor(gdi::Rgb(x, y, 0))
                                                          : gdi::PixelFromColor(background);
    return gdi::Picture::MakeBitmap(w, h, std::move(px));
}

TEST(PictureEffectsTest, GreyRuleCoversEveryPixelAndLeavesThePaddingAlone) {
    // 3 x 2 pixels: 9 bytes of pixels and 3 of padding per row.
    std::vector<std::uint8_t> buf = {30, 60, 90, 1, 1, 2, 255, 255, 255, 7, 7, 7,
                                     0,  0,  1,  2, 2, 2, 10,  20,  33,  9, 9, 9};
    GrayPixels24(buf, 3, 2);
    const std::vector<std::uint8_t> expected = {60, 60, 60, 1, 1, 1, 255, 255, 255, 7, 7, 7,
                                                0,  0,  0,  2, 2, 2, 21,  21,  21,  9, 9, 9};
    EXPECT_EQ(buf, expected);
}

TEST(PictureEffectsTest, BitmapsAreCopiedUnscaledFromTheirTopLeft) {
    const gdi::Picture bmp = Numbered(64, 64, 0x00FF00);
    gdi::Surface s = Face(40, 40);
    DrawBitmapPicture(s, bmp, 2, 3, 16, 16, false, 0);
    EXPECT_EQ(s.GetPixel(2, 3), gdi::Rgb(0, 0, 0));
    EXPECT_EQ(s.GetPixel(17, 18), gdi::Rgb(15, 15, 0));
    EXPECT_EQ(s.GetPixel(18, 18), kFace);
}

TEST(PictureEffectsTest, MaskColourShowsTheFaceThroughTheBackground) {
    const gdi::Picture bmp = Numbered(8, 8, 0xE0E0E0);
    gdi::Surface masked = Face(10, 10), copied = Face(10, 10);
    DrawBitmapPicture(masked, bmp, 0, 0, 8, 8, true, 0xE0E0E0);
    DrawBitmapPicture(copied, bmp, 0, 0, 8, 8, false, 0xE0E0E0);
    EXPECT_EQ(masked.GetPixel(6, 6), kFace);
    EXPECT_EQ(copied.GetPixel(6, 6), 0xE0E0E0u);
    EXPECT_EQ(masked.GetPixel(1, 2), gdi::Rgb(1, 2, 0));
}

TEST(PictureEffectsTest, IconsAreScaledToTheRequestedSize) {
    std::vector<gdi::Pixel> px(16 * 16, gdi::PixelFromColor(0x0000FF));
    std::vector<std::uint8_t> mask(16 * 16, 0);
    px[0] = 0;
    mask[0] = 1; // the top-left pixel is transparent
    const gdi::Picture icon = gdi::Picture::MakeIcon(16, 16, px, mask);
    gdi::Surface s = Face(40, 40);
    DrawIconPicture(s, icon, 4, 4, 32, 32);
    EXPECT_EQ(s.GetPixel(4, 4), kFace);
    EXPECT_EQ(s.GetPixel(5, 5), kFace); // one icon pixel is 2 x 2
    EXPECT_EQ(s.GetPixel(6, 4), 0x0000FFu);
    EXPECT_EQ(s.GetPixel(35, 35), 0x0000FFu);
    EXPECT_EQ(s.GetPixel(36, 36), kFace);
}

TEST(PictureEffectsTest, GreyBitmapIsAnOpaqueScaledRectangle) {
    std::vector<gdi::Pixel> px(4 * 4, gdi::PixelFromColor(gdi::Rgb(90, 60, 30)));
    px[15] = gdi::PixelFromColor(gdi::Rgb(2, 1, 1)); // the last pixel of the picture
    const gdi::Picture bmp = gdi::Picture::MakeBitmap(4, 4, px);
    gdi::Surface s = Face(12, 12);
    EXPECT_TRUE(DrawGrayedPicture(s, bmp, 1, 1, 8, 8));
    EXPECT_EQ(s.GetPixel(1, 1), gdi::Rgb(60, 60, 60));
    EXPECT_EQ(s.GetPixel(6, 6), gdi::Rgb(60, 60, 60));
    EXPECT_EQ(s.GetPixel(8, 8), gdi::Rgb(1, 1, 1));
    EXPECT_EQ(s.GetPixel(9, 9), kFace);
    EXPECT_EQ(s.GetPixel(0, 0), kFace);
}

TEST(PictureEffectsTest, GreyIconKeepsTheFaceWhereItIsTransparent) {
    std::vector<gdi::Pixel> px = {0, gdi::PixelFromColor(gdi::Rgb(30, 60, 90)), 0, 0};
    const gdi::Picture icon = gdi::Picture::MakeIcon(2, 2, px, {1, 0, 0, 1});
    gdi::Surface s = Face(4, 4);
    DrawGrayedPicture(s, icon, 0, 0, -1, -1);
    EXPECT_EQ(s.GetPixel(0, 0), kFace);
    EXPECT_EQ(s.GetPixel(1, 0), gdi::Rgb(60, 60, 60));
    EXPECT_EQ(s.GetPixel(0, 1), 0u); // opaque black
    EXPECT_EQ(s.GetPixel(1, 1), kFace);
    EXPECT_EQ(s.GetPixel(2, 2), kFace);
}

TEST(PictureEffectsTest, PicturesOfOtherKindsAreNotDrawn) {
    gdi::Picture none;
    gdi::Surface s = Face(4, 4);
    EXPECT_FALSE(DrawGrayedPicture(s, none, 0, 0, 4, 4));
    EXPECT_EQ(s.GetPixel(0, 0), kFace);
}

} // namespace
} // namespace trimvox::mxbutton
