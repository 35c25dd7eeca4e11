// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/drawing_ops.h"

#include <algorithm>
#include <cmath>

namespace trimvox::mxbutton {

namespace {

// Rounds to the nearest integer, halves to even.
int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

int Channel(ColorRef c, int shift) {
    return static_cast<int>((c >> shift) & 0xFF);
}

} // namespace

ColorRef ShiftColor(ColorRef color, float factor) {
    // The step is a single-precision product, as the factor is single precision.
    const float step = factor * 255.0f;
    int out[3];
    for (int i = 0; i < 3; ++i) {
        int v = RoundHalfEven(static_cast<double>(Channel(color, 8 * i)) + static_cast<double>(step));
        if (factor > 0) {
            if (v > 255)
                v = 255;
        } else if (v < 0) {
            v = 0;
        }
        out[i] = v;
    }
    return gdi::Rgb(out[0], out[1], out[2]);
}

ColorRef MixColors(ColorRef color1, ColorRef color2) {
    int out[3];
    for (int i = 0; i < 3; ++i)
        out[i] = RoundHalfEven((Channel(color1, 8 * i) + Channel(color2, 8 * i)) / 2.0);
    return gdi::Rgb(out[0], out[1], out[2]);
}

std::vector<ColorRef> GradientTable(ColorRef color1, ColorRef color2, int n) {
    if (n < 0)
        return {};
    std::vector<ColorRef> table(static_cast<std::size_t>(n) + 1);
    if (n == 0) {
        int ch[3];
        for (int k = 0; k < 3; ++k)
            ch[k] = Channel(color1, 8 * k) / 2 + Channel(color2, 8 * k) / 2;
        table[0] = gdi::Rgb(ch[0], ch[1], ch[2]);
        return table;
    }
    for (int i = 0; i <= n; ++i) {
        int ch[3];
        for (int k = 0; k < 3; ++k) {
            const int c1 = Channel(color1, 8 * k);
            const int c2 = Channel(color2, 8 * k);
            ch[k] = c1 + (i * (c2 - c1)) / n; // truncates toward zero
        }
        table[static_cast<std::size_t>(i)] = gdi::Rgb(ch[0], ch[1], ch[2]);
    }
    return table;
}

void FillGradient(gdi::Surface& s, int x, int y, int width, int height, ColorRef color1, ColorRef color2,
                  int direction) {
    if (width <= 0 || height <= 0)
        return;
    int n = 0;
    switch (direction) {
    case 0:
        n = width - 1;
        break;
    case 1:
        n = height - 1;
        break;
    default:
        n = width + height - 2;
        break;
    }
    const std::vector<ColorRef> table = GradientTable(color1, color2, n);
    std::vector<gdi::Pixel> entries(table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
        entries[i] = gdi::PixelFromColor(table[i]);

    // A bottom-up bitmap: the last row in memory is the top row on the surface.
    std::vector<gdi::Pixel> bits(static_cast<std::size_t>(width) * height, 0);
    for (int row = 0; row < height; ++row) {
        gdi::Pixel* line = &bits[static_cast<std::size_t>(height - 1 - row) * width];
        switch (direction) {
        case 0:
            std::copy(entries.begin(), entries.begin() + width, line);
            break;
        case 1:
            std::fill(line, line + width, entries[static_cast<std::size_t>(row)]);
            break;
        case 2:
            std::copy(entries.begin() + row, entries.begin() + row + width, line);
            break;
        case 3:
            std::copy(entries.begin() + (height - 1 - row), entries.begin() + (height - 1 - row) + width,
                      line);
            break;
        default:
            break; // black
        }
    }
    gdi::BitmapInfoHeader info;
    info.width = width;
    info.height = height;
    info.bitCount = 32;
    s.StretchDIBits(x, y, width, height, 0, 0, width, height, bits.data(), info, gdi::Rop::SrcCopy);
}

void DrawLine(gdi::Surface& s, int x1, int y1, int x2, int y2, ColorRef color) {
    s.DrawLine(x1, y1, x2, y2, color);
}

void DrawFrame(gdi::Surface& s, int x, int y, int width, int height, ColorRef color) {
    s.FrameRect({x, y, x + width, y + height}, color);
}

void FillRectColor(gdi::Surface& s, ColorRef color, const gdi::Rect& r) {
    s.FillRect(r, color);
}

void SetCornerPixels(gdi::Surface& s, const ButtonModel& m, ColorRef color) {
    s.SetPixel(1, 1, color);
    s.SetPixel(1, m.mHeight - 2, color);
    s.SetPixel(m.mWidth - 2, 1, color);
    s.SetPixel(m.mWidth - 2, m.mHeight - 2, color);
}

} // namespace trimvox::mxbutton
