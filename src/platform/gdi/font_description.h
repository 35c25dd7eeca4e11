// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace trimvox::gdi {

// A caption font as the control stores it: face name, size in points and the GDI attributes.
struct FontDescription {
    std::string name = "Tahoma"; // UTF-8
    double size = 8.25;          // points; 96 dots per inch make one point 4/3 of a pixel
    int weight = 400;            // 100..900, 400 normal, 700 bold
    int charset = 1;             // GDI character set (1 default, 134 GB2312)
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;

    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

} // namespace trimvox::gdi
