// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace trimvox::gdi {

// An RGB value as GDI takes it: red in the low byte, then green, then blue (0x00BBGGRR).
using ColorRef = std::uint32_t;
// A 32-bit OLE colour: an RGB value, or a system colour reference with the high bit set (0x8000000F).
using OleColor = std::uint32_t;

// The value of a failed colour translation (-1 as a signed 32-bit number).
inline constexpr ColorRef kInvalidColor = 0xFFFFFFFFu;

constexpr ColorRef Rgb(int r, int g, int b) {
    return static_cast<ColorRef>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int RedOf(ColorRef c) {
    return static_cast<int>(c & 0xFF);
}
constexpr int GreenOf(ColorRef c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int BlueOf(ColorRef c) {
    return static_cast<int>((c >> 16) & 0xFF);
}

// Surface pixels are 32-bit words holding blue in the low byte, then green, then red (0x00RRGGBB), the
// memory order of a 32-bit device-independent bitmap. The top byte is not part of the colour.
using Pixel = std::uint32_t;
inline constexpr Pixel kPixelRgbMask = 0x00FFFFFFu;

constexpr Pixel PixelFromColor(ColorRef c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}
constexpr ColorRef ColorFromPixel(Pixel p) {
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

} // namespace trimvox::gdi
