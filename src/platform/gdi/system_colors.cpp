// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/system_colors.h"

#include <array>

namespace trimvox::gdi {

namespace {

// The Windows 10 default colours, by system colour index.
constexpr std::array<ColorRef, 31> kSystemColors = {
    Rgb(0xC8, 0xC8, 0xC8), // scroll bar
    Rgb(0x00, 0x00, 0x00), // desktop
    Rgb(0x99, 0xB4, 0xD1), // active caption
    Rgb(0xBF, 0xCD, 0xDB), // inactive caption
    Rgb(0xF0, 0xF0, 0xF0), // menu
    Rgb(0xFF, 0xFF, 0xFF), // window
    Rgb(0x64, 0x64, 0x64), // window frame
    Rgb(0x00, 0x00, 0x00), // menu text
    Rgb(0x00, 0x00, 0x00), // window text
    Rgb(0x00, 0x00, 0x00), // caption text
    Rgb(0xB4, 0xB4, 0xB4), // active border
    Rgb(0xF4, 0xF7, 0xFC), // inactive border
    Rgb(0xAB, 0xAB, 0xAB), // application workspace
    Rgb(0x00, 0x78, 0xD7), // highlight
    Rgb(0xFF, 0xFF, 0xFF), // highlight text
    Rgb(0xF0, 0xF0, 0xF0), // button face
    Rgb(0xA0, 0xA0, 0xA0), // button shadow
    Rgb(0x6D, 0x6D, 0x6D), // grey text
    Rgb(0x00, 0x00, 0x00), // button text
    Rgb(0x00, 0x00, 0x00), // inactive caption text
    Rgb(0xFF, 0xFF, 0xFF), // button highlight
    Rgb(0x69, 0x69, 0x69), // 3-D dark shadow
    Rgb(0xE3, 0xE3, 0xE3), // 3-D light
    Rgb(0x00, 0x00, 0x00), // tooltip text
    Rgb(0xFF, 0xFF, 0xE1), // tooltip background
    Rgb(0x00, 0x00, 0x00), // (unused)
    Rgb(0x00, 0x66, 0xCC), // hot-tracked item
    Rgb(0xB9, 0xD1, 0xEA), // active caption gradient
    Rgb(0xD7, 0xE4, 0xF2), // inactive caption gradient
    Rgb(0x33, 0x99, 0xFF), // highlighted menu item
    Rgb(0xF0, 0xF0, 0xF0), // menu bar
};

} // namespace

ColorRef GetSysColor(int index) {
    if (index < 0 || index >= static_cast<int>(kSystemColors.size()))
        return 0;
    return kSystemColors[static_cast<std::size_t>(index)];
}

ColorRef ResolveColor(OleColor color, std::uint32_t palette) {
    switch (color >> 24) {
    case 0x00: // plain RGB
        return color;
    case 0x01: // palette index: needs a palette, and there is none here
        return palette != 0 ? (color & 0xFFFF) : kInvalidColor;
    case 0x02: // palette-relative RGB
        return color & 0x00FFFFFFu;
    case 0x80: { // system colour
        const std::uint32_t index = color & 0x00FFFFFFu;
        if (index >= kSystemColors.size())
            return kInvalidColor;
        return kSystemColors[index];
    }
    default:
        return kInvalidColor;
    }
}

} // namespace trimvox::gdi
