// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trimvox::gdi {

// Left, top, right, bottom in pixels; right and bottom are exclusive, as in GDI.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

} // namespace trimvox::gdi
