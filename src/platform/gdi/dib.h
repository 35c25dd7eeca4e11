// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace trimvox::gdi {

// The parts of a BITMAPINFOHEADER that the blits read. A positive height is a bottom-up bitmap.
struct BitmapInfoHeader {
    std::uint32_t size = 40;
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t planes = 1;
    std::uint16_t bitCount = 32;   // 24 or 32
    std::uint32_t compression = 0; // BI_RGB
    std::uint32_t sizeImage = 0;
};

// Bytes per row of a device-independent bitmap: rows are padded to a multiple of 4 bytes.
constexpr int DibStride(int width, int bitCount) {
    return ((width * bitCount + 31) / 32) * 4;
}

// Raster operations of the blits.
enum class Rop : std::uint32_t {
    SrcCopy = 0x00CC0020,
    SrcAnd = 0x008800C6,
    SrcPaint = 0x00EE0086,
};

} // namespace trimvox::gdi
