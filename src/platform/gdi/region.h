// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/gdi/rect.h"

#include <vector>

namespace trimvox::gdi {

// A window region: a set of pixels kept as rectangles, one per row band, top to bottom.
class Region {
public:
    Region() = default;

    // CreateRectRgn: the pixels of (left, top, right, bottom), right and bottom exclusive.
    static Region FromRect(int left, int top, int right, int bottom);
    // CreateRoundRectRgn with its pixel rules: the rectangle loses its last column and row (right and
    // bottom become exclusive one pixel early), the ellipse is clamped to the rectangle, and an ellipse
    // narrower or lower than 2 gives a plain rectangle.
    static Region RoundRect(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);

    bool IsEmpty() const { return rects_.empty(); }
    bool Contains(int x, int y) const;
    Rect Bounds() const;
    // Non-overlapping rectangles covering the region, sorted by top then left.
    const std::vector<Rect>& Rects() const { return rects_; }

    friend bool operator==(const Region&, const Region&) = default;

private:
    std::vector<Rect> rects_;
};

} // namespace trimvox::gdi
