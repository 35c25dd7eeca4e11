// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/render/drawing_ops.h"
#include "controls/mxbutton/render/paint_context.h"
#include "platform/gdi/system_colors.h"

#include <cmath>

namespace trimvox::mxbutton {

// Short forms the painters are written in: colours as #RRGGBB, rounding of halves to even, and the
// shared operations bound to the painter's surface.
constexpr ColorRef Hex(std::uint32_t rrggbb) {
    return gdi::Rgb(static_cast<int>((rrggbb >> 16) & 0xFF), static_cast<int>((rrggbb >> 8) & 0xFF),
                    static_cast<int>(rrggbb & 0xFF));
}

inline int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

inline ColorRef S(ColorRef c, float f) {
    return ShiftColor(c, f);
}
inline ColorRef Mix(ColorRef a, ColorRef b) {
    return MixColors(a, b);
}
inline ColorRef Sys(int index) {
    return gdi::ResolveColor(gdi::SystemColor(index));
}

inline void Fill(PaintContext& pc, int l, int t, int r, int b, ColorRef c) {
    FillRectColor(pc.s, c, {l, t, r, b});
}
inline void FillFace(PaintContext& pc, ColorRef c) {
    FillRectColor(pc.s, c, {0, 0, pc.W, pc.H});
}
inline void Frame(PaintContext& pc, int x, int y, int w, int h, ColorRef c) {
    DrawFrame(pc.s, x, y, w, h, c);
}
inline void Line(PaintContext& pc, int x1, int y1, int x2, int y2, ColorRef c) {
    DrawLine(pc.s, x1, y1, x2, y2, c);
}
inline void GradDown(PaintContext& pc, int x, int y, int w, int h, ColorRef c1, ColorRef c2) {
    FillGradient(pc.s, x, y, w, h, c1, c2, 1);
}
inline void GradRight(PaintContext& pc, int x, int y, int w, int h, ColorRef c1, ColorRef c2) {
    FillGradient(pc.s, x, y, w, h, c1, c2, 0);
}
inline void Corners(PaintContext& pc, ColorRef c) {
    SetCornerPixels(pc.s, pc.m, c);
}
inline void FocusRect(PaintContext& pc, int l, int t, int r, int b) {
    pc.s.DrawFocusRect({l, t, r, b});
}

} // namespace trimvox::mxbutton
