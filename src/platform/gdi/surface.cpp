// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/surface.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace trimvox::gdi {

namespace {

Rect Normalized(Rect r) {
    if (r.left > r.right)
        std::swap(r.left, r.right);
    if (r.top > r.bottom)
        std::swap(r.top, r.bottom);
    return r;
}

Rect Intersect(const Rect& a, const Rect& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

Pixel ApplyRop(Pixel dst, Pixel src, Rop rop) {
    switch (rop) {
    case Rop::SrcAnd:
        return dst & src;
    case Rop::SrcPaint:
        return dst | src;
    case Rop::SrcCopy:
    default:
        return src;
    }
}

} // namespace

Surface::Surface(int width, int height) {
    Resize(width, height);
}

void Surface::Resize(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
}

void Surface::Clear() {
    std::fill(pixels_.begin(), pixels_.end(), PixelFromColor(ResolveColor(backColor_)));
}

ColorRef Surface::GetPixel(int x, int y) const {
    if (!Inside(x, y))
        return kInvalidColor;
    return ColorFromPixel(pixels_[static_cast<std::size_t>(y) * width_ + x]);
}

void Surface::SetPixel(int x, int y, ColorRef color) {
    if (Inside(x, y))
        *At(x, y) = PixelFromColor(color);
}

void Surface::FillRect(const Rect& r, ColorRef color) {
    const Rect c = Intersect(Normalized(r), {0, 0, width_, height_});
    if (c.IsEmpty())
        return;
    const Pixel p = PixelFromColor(color);
    for (int y = c.top; y < c.bottom; ++y)
        std::fill(At(c.left, y), At(c.left, y) + c.Width(), p);
}

void Surface::FrameRect(const Rect& r, ColorRef color) {
    if (r.IsEmpty())
        return;
    FillRect({r.left, r.top, r.right, r.top + 1}, color);
    FillRect({r.left, r.bottom - 1, r.right, r.bottom}, color);
    FillRect({r.left, r.top, r.left + 1, r.bottom}, color);
    FillRect({r.right - 1, r.top, r.right, r.bottom}, color);
}

void Surface::DrawLine(int x1, int y1, int x2, int y2, ColorRef color) {
    const Pixel p = PixelFromColor(color);
    const int dx = std::abs(x2 - x1);
    const int dy = std::abs(y2 - y1);
    const int sx = x1 < x2 ? 1 : -1;
    const int sy = y1 < y2 ? 1 : -1;
    if (dx == 0 && dy == 0)
        return;
    // Horizontal and vertical runs, the lines that the painters draw, take the short way.
    if (dy == 0) {
        const int from = sx > 0 ? x1 : x2 + 1;
        const int to = sx > 0 ? x2 : x1 + 1; // exclusive
        if (y1 < 0 || y1 >= height_)
            return;
        const int a = std::max(from, 0);
        const int b = std::min(to, width_);
        if (a < b)
            std::fill(At(a, y1), At(a, y1) + (b - a), p);
        return;
    }
    if (dx == 0) {
        const int from = sy > 0 ? y1 : y2 + 1;
        const int to = sy > 0 ? y2 : y1 + 1;
        if (x1 < 0 || x1 >= width_)
            return;
        for (int y = std::max(from, 0); y < std::min(to, height_); ++y)
            *At(x1, y) = p;
        return;
    }
    // Bresenham along the major axis, stopping before the end point.
    int x = x1;
    int y = y1;
    if (dx >= dy) {
        int err = 2 * dy - dx;
        for (int i = 0; i < dx; ++i) {
            if (Inside(x, y))
                *At(x, y) = p;
            if (err > 0) {
                y += sy;
                err -= 2 * dx;
            }
            err += 2 * dy;
            x += sx;
        }
    } else {
        int err = 2 * dx - dy;
        for (int i = 0; i < dy; ++i) {
            if (Inside(x, y))
                *At(x, y) = p;
            if (err > 0) {
                x += sx;
                err -= 2 * dy;
            }
            err += 2 * dx;
            y += sy;
        }
    }
}

void Surface::DrawEdge(const Rect& r, unsigned edge, unsigned flags) {
    // System colour of each border for the edge kind (index: the four border bits), -1 for none.
    // Outer borders take the top-left and bottom-right colours of the first table pair; a lone inner
    // border is drawn as an outer one.
    static constexpr int kLtInner[16] = {-1,
                                         -1,
                                         -1,
                                         -1,
                                         -1,
                                         kColorBtnHighlight,
                                         kColorBtnHighlight,
                                         -1,
                                         -1,
                                         kColor3DDkShadow,
                                         kColor3DDkShadow,
                                         -1,
                                         -1,
                                         -1,
                                         -1,
                                         -1};
    static constexpr int kLtOuter[16] = {-1,
                                         kColor3DLight,
                                         kColorBtnShadow,
                                         -1,
                                         kColorBtnHighlight,
                                         kColor3DLight,
                                         kColorBtnShadow,
                                         -1,
                                         kColor3DDkShadow,
                                         kColor3DLight,
                                         kColorBtnShadow,
                                         -1,
                                         -1,
                                         kColor3DLight,
                                         kColorBtnShadow,
                                         -1};
    static constexpr int kRbInner[16] = {
        -1, -1, -1, -1, -1, kColorBtnShadow, kColorBtnShadow, -1, -1, kColor3DLight, kColor3DLight,
        -1, -1, -1, -1, -1};
    static constexpr int kRbOuter[16] = {-1,
                                         kColor3DDkShadow,
                                         kColorBtnHighlight,
                                         -1,
                                         kColorBtnShadow,
                                         kColor3DDkShadow,
                                         kColorBtnHighlight,
                                         -1,
                                         kColor3DLight,
                                         kColor3DDkShadow,
                                         kColorBtnHighlight,
                                         -1,
                                         -1,
                                         kColor3DDkShadow,
                                         kColorBtnHighlight,
                                         -1};
    const unsigned i = edge & 0xF;
    const int ltOuter = kLtOuter[i];
    const int rbOuter = kRbOuter[i];
    const int ltInner = kLtInner[i];
    const int rbInner = kRbInner[i];
    const int lt = (flags & (kBfLeft | kBfTop)) == (kBfLeft | kBfTop) ? 1 : 0;
    const int lb = (flags & (kBfLeft | kBfBottom)) == (kBfLeft | kBfBottom) ? 1 : 0;
    const int rt = (flags & (kBfRight | kBfTop)) == (kBfRight | kBfTop) ? 1 : 0;
    const int rbp = (flags & (kBfRight | kBfBottom)) == (kBfRight | kBfBottom) ? 1 : 0;

    if (ltOuter >= 0) {
        const ColorRef c = GetSysColor(ltOuter);
        if (flags & kBfTop)
            DrawLine(r.left, r.top, r.right, r.top, c);
        if (flags & kBfLeft)
            DrawLine(r.left, r.top, r.left, r.bottom, c);
    }
    if (rbOuter >= 0) {
        const ColorRef c = GetSysColor(rbOuter);
        if (flags & kBfBottom)
            DrawLine(r.right - 1, r.bottom - 1, r.left - 1, r.bottom - 1, c);
        if (flags & kBfRight)
            DrawLine(r.right - 1, r.bottom - 1, r.right - 1, r.top - 1, c);
    }
    if (ltInner >= 0) {
        const ColorRef c = GetSysColor(ltInner);
        if (flags & kBfTop)
            DrawLine(r.left + lt, r.top + 1, r.right - rt, r.top + 1, c);
        if (flags & kBfLeft)
            DrawLine(r.left + 1, r.top + lt, r.left + 1, r.bottom - lb, c);
    }
    if (rbInner >= 0) {
        const ColorRef c = GetSysColor(rbInner);
        if (flags & kBfBottom)
            DrawLine(r.right - 1 - rbp, r.bottom - 2, r.left - 1 + lb, r.bottom - 2, c);
        if (flags & kBfRight)
            DrawLine(r.right - 2, r.bottom - 1 - rbp, r.right - 2, r.top - 1 + rt, c);
    }
}

void Surface::DrawFocusRect(const Rect& r) {
    if (r.IsEmpty())
        return;
    auto invert = [this](int x, int y) {
        if (Inside(x, y) && ((x + y) & 1) == 0)
            *At(x, y) ^= kPixelRgbMask;
    };
    for (int x = r.left; x < r.right; ++x) {
        invert(x, r.top);
        if (r.bottom - 1 != r.top)
            invert(x, r.bottom - 1);
    }
    for (int y = r.top + 1; y < r.bottom - 1; ++y) {
        invert(r.left, y);
        if (r.right - 1 != r.left)
            invert(r.right - 1, y);
    }
}

void Surface::StretchDIBits(int xDst, int yDst, int wDst, int hDst, int xSrc, int ySrc, int wSrc, int hSrc,
                            const void* bits, const BitmapInfoHeader& info, Rop rop) {
    if (bits == nullptr || wDst <= 0 || hDst <= 0 || wSrc <= 0 || hSrc <= 0)
        return;
    if (info.bitCount != 24 && info.bitCount != 32)
        return;
    const int imageW = info.width;
    const int imageH = std::abs(info.height);
    const bool bottomUp = info.height > 0;
    const int stride = DibStride(imageW, info.bitCount);
    const auto* bytes = static_cast<const std::uint8_t*>(bits);
    const int bpp = info.bitCount / 8;

    if (wDst == wSrc && hDst == hSrc && bpp == 4 && rop == Rop::SrcCopy) {
        // Unscaled 32-bit copy, the gradients' case: whole clipped rows at a time.
        const int x0 = std::max({xDst, 0, xDst - xSrc});
        const int x1 = std::min({xDst + wDst, width_, xDst - xSrc + imageW});
        if (x0 >= x1)
            return;
        for (int dy = 0; dy < hDst; ++dy) {
            const int ty = yDst + dy;
            const int sy = ySrc + dy;
            if (ty < 0 || ty >= height_ || sy < 0 || sy >= imageH)
                continue;
            const int row = bottomUp ? imageH - 1 - sy : sy;
            const std::uint8_t* line = bytes + static_cast<std::size_t>(row) * stride;
            std::memcpy(At(x0, ty), line + static_cast<std::size_t>(x0 - xDst + xSrc) * 4,
                        static_cast<std::size_t>(x1 - x0) * 4);
        }
        return;
    }

    for (int dy = 0; dy < hDst; ++dy) {
        const int ty = yDst + dy;
        if (ty < 0 || ty >= height_)
            continue;
        // Source rows are counted from the image's top.
        const int sy = ySrc + static_cast<int>(static_cast<long long>(dy) * hSrc / hDst);
        if (sy < 0 || sy >= imageH)
            continue;
        const int row = bottomUp ? imageH - 1 - sy : sy;
        const std::uint8_t* line = bytes + static_cast<std::size_t>(row) * stride;
        for (int dx = 0; dx < wDst; ++dx) {
            const int tx = xDst + dx;
            if (tx < 0 || tx >= width_)
                continue;
            const int sx = xSrc + static_cast<int>(static_cast<long long>(dx) * wSrc / wDst);
            if (sx < 0 || sx >= imageW)
                continue;
            const std::uint8_t* px = line + static_cast<std::size_t>(sx) * bpp;
            const Pixel src = static_cast<Pixel>(px[0]) | (static_cast<Pixel>(px[1]) << 8) |
                              (static_cast<Pixel>(px[2]) << 16);
            Pixel* d = At(tx, ty);
            *d = ApplyRop(*d & kPixelRgbMask, src, rop);
        }
    }
}

void Surface::StretchBlt(int xDst, int yDst, int wDst, int hDst, const BitmapView& src, int xSrc, int ySrc,
                         int wSrc, int hSrc) {
    if (src.pixels == nullptr || wDst <= 0 || hDst <= 0 || wSrc <= 0 || hSrc <= 0)
        return;
    for (int dy = 0; dy < hDst; ++dy) {
        const int ty = yDst + dy;
        const int sy = ySrc + static_cast<int>(static_cast<long long>(dy) * hSrc / hDst);
        if (ty < 0 || ty >= height_ || sy < 0 || sy >= src.height)
            continue;
        for (int dx = 0; dx < wDst; ++dx) {
            const int tx = xDst + dx;
            const int sx = xSrc + static_cast<int>(static_cast<long long>(dx) * wSrc / wDst);
            if (tx < 0 || tx >= width_ || sx < 0 || sx >= src.width)
                continue;
            *At(tx, ty) = src.pixels[static_cast<std::size_t>(sy) * src.width + sx] & kPixelRgbMask;
        }
    }
}

void Surface::TransparentBlt(int xDst, int yDst, int wDst, int hDst, const BitmapView& src, int xSrc,
                             int ySrc, int wSrc, int hSrc, ColorRef transparent) {
    if (src.pixels == nullptr || wDst <= 0 || hDst <= 0 || wSrc <= 0 || hSrc <= 0)
        return;
    // A colour that is not plain RGB matches no pixel.
    const bool anyKey = (transparent >> 24) == 0;
    const Pixel key = PixelFromColor(transparent);
    for (int dy = 0; dy < hDst; ++dy) {
        const int ty = yDst + dy;
        const int sy = ySrc + static_cast<int>(static_cast<long long>(dy) * hSrc / hDst);
        if (ty < 0 || ty >= height_ || sy < 0 || sy >= src.height)
            continue;
        for (int dx = 0; dx < wDst; ++dx) {
            const int tx = xDst + dx;
            const int sx = xSrc + static_cast<int>(static_cast<long long>(dx) * wSrc / wDst);
            if (tx < 0 || tx >= width_ || sx < 0 || sx >= src.width)
                continue;
            const Pixel p = src.pixels[static_cast<std::size_t>(sy) * src.width + sx] & kPixelRgbMask;
            if (anyKey && p == key)
                continue;
            *At(tx, ty) = p;
        }
    }
}

void Surface::DrawIconEx(int x, int y, const Picture& icon, int cx, int cy) {
    if (icon.width <= 0 || icon.height <= 0 || icon.pixels.empty())
        return;
    if (cx <= 0)
        cx = icon.width;
    if (cy <= 0)
        cy = icon.height;
    for (int dy = 0; dy < cy; ++dy) {
        const int ty = y + dy;
        if (ty < 0 || ty >= height_)
            continue;
        const int sy = static_cast<int>(static_cast<long long>(dy) * icon.height / cy);
        for (int dx = 0; dx < cx; ++dx) {
            const int tx = x + dx;
            if (tx < 0 || tx >= width_)
                continue;
            const int sx = static_cast<int>(static_cast<long long>(dx) * icon.width / cx);
            const Pixel colour = icon.PixelAt(sx, sy) & kPixelRgbMask;
            Pixel* d = At(tx, ty);
            if (icon.Transparent(sx, sy))
                *d = (*d & kPixelRgbMask) ^ colour;
            else
                *d = colour;
        }
    }
}

} // namespace trimvox::gdi
