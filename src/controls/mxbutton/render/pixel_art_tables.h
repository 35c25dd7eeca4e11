// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The three fixed pictures of the rounded pixel-art look (button style 14): normal, hot and pressed.
// The data lives in pixel_art_tables.cpp, which resources/tools/make_pixel_art_tables.py writes.

#include <array>
#include <cstdint>
#include <span>

namespace trimvox::mxbutton {

// One pixel of a corner block. x counts from the left edge for the left blocks and from W (so it is
// negative, -17..-1) for the right blocks; y counts from the top edge for the top blocks and from H (0 or
// negative) for the bottom blocks. The colour is 0x00BBGGRR, red in the low byte, used as it stands.
struct CornerPixel {
    std::int8_t x;
    std::int8_t y;
    std::uint32_t color;
};

struct PixelArtPicture {
    std::uint32_t centre; // fills (4, 4, W - 4, H - 4)
    std::span<const CornerPixel> topLeft;
    std::span<const CornerPixel> topRight;
    std::span<const CornerPixel> bottomLeft;
    std::span<const CornerPixel> bottomRight;
    std::array<std::uint32_t, 18> left;   // vertical lines at x = 0..17
    std::array<std::uint32_t, 17> right;  // vertical lines at x = W - 17..W - 1
    std::array<std::uint32_t, 12> top;    // horizontal lines at y = 0..11
    std::array<std::uint32_t, 12> bottom; // horizontal lines at y = H - 11..H
};

extern const PixelArtPicture kPixelArtNormal;
extern const PixelArtPicture kPixelArtHot;
extern const PixelArtPicture kPixelArtPressed;

} // namespace trimvox::mxbutton
