// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/region.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace trimvox::gdi {

Region Region::FromRect(int left, int top, int right, int bottom) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    Region r;
    if (left < right && top < bottom)
        r.rects_.push_back({left, top, right, bottom});
    return r;
}

Region Region::RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    // The region covers the rectangle's interior only on the right and at the bottom.
    --right;
    --bottom;
    const int ew = std::min(right - left, std::abs(ellipseWidth));
    const int eh = std::min(bottom - top, std::abs(ellipseHeight));
    if (ew < 2 || eh < 2)
        return FromRect(left, top, right, bottom);

    // One band per row of the ellipse's height; the middle band stretches over the straight sides.
    std::vector<Rect> bands(static_cast<std::size_t>(eh));
    // Midpoint ellipse walk over one quadrant: for each row below the centre, how far the ellipse is
    // inset from the sides.
    const std::int64_t a = ew - 1;
    const std::int64_t b = eh - 1;
    const std::int64_t asq = 8 * a * a;
    const std::int64_t bsq = 8 * b * b;
    std::int64_t dx = 4 * b * b * (1 - a);
    std::int64_t dy = 4 * a * a * (1 + (b % 2));
    std::int64_t err = dx + dy + a * a * (b % 2);
    int x = 0;
    int y = eh / 2;
    bands[static_cast<std::size_t>(y)].left = left;
    bands[static_cast<std::size_t>(y)].right = right;
    while (x <= ew / 2) {
        const std::int64_t e2 = 2 * err;
        if (e2 >= dx) {
            ++x;
            dx += bsq;
            err += dx;
        }
        if (e2 <= dy) {
            ++y;
            dy += asq;
            err += dy;
            if (y < eh) {
                bands[static_cast<std::size_t>(y)].left = left + x;
                bands[static_cast<std::size_t>(y)].right = right - x;
            }
        }
    }
    int i = 0;
    for (; i < eh / 2; ++i) {
        bands[static_cast<std::size_t>(i)].left = bands[static_cast<std::size_t>(b - i)].left;
        bands[static_cast<std::size_t>(i)].right = bands[static_cast<std::size_t>(b - i)].right;
        bands[static_cast<std::size_t>(i)].top = top + i;
        bands[static_cast<std::size_t>(i)].bottom = top + i + 1;
    }
    for (; i < eh; ++i) {
        bands[static_cast<std::size_t>(i)].top = bottom - eh + i;
        bands[static_cast<std::size_t>(i)].bottom = bottom - eh + i + 1;
    }
    bands[static_cast<std::size_t>(eh / 2)].top = top + eh / 2;

    Region r;
    for (const Rect& band : bands)
        if (!band.IsEmpty())
            r.rects_.push_back(band);
    return r;
}

bool Region::Contains(int x, int y) const {
    return std::any_of(rects_.begin(), rects_.end(), [&](const Rect& r) {
        return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
    });
}

Rect Region::Bounds() const {
    if (rects_.empty())
        return {};
    Rect b = rects_.front();
    for (const Rect& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

} // namespace trimvox::gdi
