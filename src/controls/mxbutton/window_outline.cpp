// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/window_outline.h"

namespace trimvox::mxbutton {

WindowOutline OutlineForStyle(std::int32_t style, std::int32_t width, std::int32_t height) {
    std::int32_t ellipse = 0;
    switch (style) {
    case 2:
    case 4:
    case 6:
    case 8:
        ellipse = 3;
        break;
    case 3:
    case 10:
        ellipse = 4;
        break;
    case 14:
        ellipse = 18;
        break;
    default:
        return WindowOutline{false, width, height, 0};
    }
    return WindowOutline{true, width + 1, height + 1, ellipse};
}

} // namespace trimvox::mxbutton
