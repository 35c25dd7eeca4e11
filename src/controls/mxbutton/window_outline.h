// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace trimvox::mxbutton {

// The window outline of a style on a W x H pixel surface: either the rectangle (0, 0, W, H) or a
// rectangle with elliptic corners from (0, 0) to (W + 1, H + 1) whose corner ellipse is `ellipse`
// pixels wide and high.
struct WindowOutline {
    bool rounded = false;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t ellipse = 0;
    friend bool operator==(const WindowOutline&, const WindowOutline&) = default;
};

WindowOutline OutlineForStyle(std::int32_t style, std::int32_t width, std::int32_t height);

} // namespace trimvox::mxbutton
