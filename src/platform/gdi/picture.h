// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/gdi/color.h"

#include <cstdint>
#include <vector>

namespace trimvox::gdi {

// The picture types that the control tells apart (an empty picture is type None, 0).
enum class PictureType : int { None = 0, Bitmap = 1, Icon = 3 };

// A picture value: a bitmap, or an icon with its transparency mask.
struct Picture {
    PictureType type = PictureType::None;
    int width = 0;  // pixels
    int height = 0; // pixels
    // width * height pixels, top row first, 0x00RRGGBB.
    std::vector<Pixel> pixels;
    // Icons only: width * height bytes, top row first; non-zero where the icon is transparent (the AND mask).
    // Empty means the icon is opaque everywhere.
    std::vector<std::uint8_t> mask;
    // The picture's own size in HIMETRIC (0.01 mm), as the picture object reports it.
    int himetricWidth = 0;
    int himetricHeight = 0;
    // A picture used as a mouse pointer: the hot spot in pixels, -1 for none (the centre).
    int hotSpotX = -1;
    int hotSpotY = -1;

    Pixel PixelAt(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
    bool Transparent(int x, int y) const {
        return !mask.empty() && mask[static_cast<std::size_t>(y) * width + x] != 0;
    }

    // A bitmap or icon of the given pixel size; the HIMETRIC size is that of 96 dots per inch.
    static Picture MakeBitmap(int width, int height, std::vector<Pixel> pixels);
    // An icon's colour is black where its mask is set, so that the mask alone makes it transparent there
    // (drawing combines the colour with XOR where the mask is set).
    static Picture MakeIcon(int width, int height, std::vector<Pixel> pixels, std::vector<std::uint8_t> mask);
};

// HIMETRIC to pixels at 96 dots per inch, rounded to the nearest integer (halves to even).
int HimetricToPixels(int himetric);
// Pixels to HIMETRIC at 96 dots per inch, rounded to the nearest integer.
int PixelsToHimetric(int pixels);

} // namespace trimvox::gdi
