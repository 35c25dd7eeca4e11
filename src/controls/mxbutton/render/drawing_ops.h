// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/button_model.h"
#include "platform/gdi/color.h"
#include "platform/gdi/rect.h"
#include "platform/gdi/surface.h"

#include <vector>

namespace trimvox::mxbutton {

using gdi::ColorRef;

// Lightens (factor > 0) or darkens (factor < 0) each channel by factor x 255, rounded halves to even and
// clamped to 255 when lightening, to 0 when darkening.
ColorRef ShiftColor(ColorRef color, float factor);
// The per-channel mean, rounded halves to even.
ColorRef MixColors(ColorRef color1, ColorRef color2);

// The colour table of a gradient with n steps: entries 0..n; entry i is c1 + (i * (c2 - c1)) / n per
// channel, truncated toward zero. With n = 0 the single entry is c1 / 2 + c2 / 2 per channel.
std::vector<ColorRef> GradientTable(ColorRef color1, ColorRef color2, int n);
// A linear gradient over (x, y, width, height): direction 0 left to right, 1 top to bottom, 2 top-left to
// bottom-right, 3 bottom-left to top-right; any other direction paints black. Blitted as one bottom-up
// 32-bit bitmap; nothing for an empty rectangle.
void FillGradient(gdi::Surface& s, int x, int y, int width, int height, ColorRef color1, ColorRef color2,
                  int direction);

// A one-pixel line from (x1, y1) to (x2, y2); the end point is not drawn.
void DrawLine(gdi::Surface& s, int x1, int y1, int x2, int y2, ColorRef color);
// The one-pixel outline of (x, y, x + width, y + height).
void DrawFrame(gdi::Surface& s, int x, int y, int width, int height, ColorRef color);
void FillRectColor(gdi::Surface& s, ColorRef color, const gdi::Rect& r);
// SetPixel at (1, 1), (1, mHeight - 2), (mWidth - 2, 1) and (mWidth - 2, mHeight - 2).
void SetCornerPixels(gdi::Surface& s, const ButtonModel& m, ColorRef color);

} // namespace trimvox::mxbutton
