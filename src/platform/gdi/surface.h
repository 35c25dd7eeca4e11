// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/gdi/color.h"
#include "platform/gdi/dib.h"
#include "platform/gdi/font_description.h"
#include "platform/gdi/picture.h"
#include "platform/gdi/rect.h"
#include "platform/gdi/system_colors.h"

#include <vector>

namespace trimvox::gdi {

// DrawEdge border kinds and flags.
enum : unsigned {
    kBdrRaisedOuter = 0x1,
    kBdrSunkenOuter = 0x2,
    kBdrRaisedInner = 0x4,
    kBdrSunkenInner = 0x8,
    kEdgeRaised = kBdrRaisedOuter | kBdrRaisedInner,
    kEdgeSunken = kBdrSunkenOuter | kBdrSunkenInner,
    kBfLeft = 0x1,
    kBfTop = 0x2,
    kBfRight = 0x4,
    kBfBottom = 0x8,
    kBfRect = kBfLeft | kBfTop | kBfRight | kBfBottom,
};

// A read-only view of 32-bit pixels (0x00RRGGBB), top row first.
struct BitmapView {
    const Pixel* pixels = nullptr;
    int width = 0;
    int height = 0;
};

// The control's drawing surface: width x height 32-bit pixels with the GDI drawing operations that the
// button painters use, each following GDI's pixel rules. Drawing outside the surface is clipped.
class Surface {
public:
    Surface() = default;
    Surface(int width, int height);

    // New size; the pixels become black.
    void Resize(int width, int height);
    int Width() const { return width_; }
    int Height() const { return height_; }
    // width * height pixels, top row first; the stride is the width.
    Pixel* Bits() { return pixels_.data(); }
    const Pixel* Bits() const { return pixels_.data(); }
    BitmapView View() const { return {pixels_.data(), width_, height_}; }

    // The surface's own background colour (an OLE colour), which Clear fills with.
    OleColor BackColor() const { return backColor_; }
    void SetBackColor(OleColor c) { backColor_ = c; }
    // The text colour (an OLE colour) and the font that captions are drawn with.
    OleColor ForeColor() const { return foreColor_; }
    void SetForeColor(OleColor c) { foreColor_ = c; }
    const FontDescription& Font() const { return font_; }
    void SetFont(const FontDescription& f) { font_ = f; }

    // Fills the whole surface with the resolved background colour.
    void Clear();

    // GetPixel: the colour at (x, y), or kInvalidColor outside the surface.
    ColorRef GetPixel(int x, int y) const;
    void SetPixel(int x, int y, ColorRef color);

    // FillRect with a solid brush: columns left..right-1, rows top..bottom-1.
    void FillRect(const Rect& r, ColorRef color);
    // FrameRect with a solid brush: the one-pixel border just inside r; nothing for an empty r.
    void FrameRect(const Rect& r, ColorRef color);
    // MoveTo (x1, y1), LineTo (x2, y2) with a one-pixel solid pen: the end point is not drawn.
    void DrawLine(int x1, int y1, int x2, int y2, ColorRef color);
    // DrawEdge with the system 3-D colours (no fill, no soft or flat looks).
    void DrawEdge(const Rect& r, unsigned edge, unsigned flags);
    // DrawFocusRect: inverts every other pixel of the one-pixel border of r, in the checkerboard of the
    // surface (pixels whose x + y is even). Drawing it twice restores the pixels.
    void DrawFocusRect(const Rect& r);

    // StretchDIBits of a 24- or 32-bit BI_RGB bitmap (bottom-up for a positive height) from the source
    // rectangle to the destination rectangle, scaled by nearest pixel, combined by rop.
    void StretchDIBits(int xDst, int yDst, int wDst, int hDst, int xSrc, int ySrc, int wSrc, int hSrc,
                       const void* bits, const BitmapInfoHeader& info, Rop rop);
    // StretchBlt (SRCCOPY) from a bitmap, scaled by nearest pixel. Source pixels outside the bitmap leave
    // the surface as it is.
    void StretchBlt(int xDst, int yDst, int wDst, int hDst, const BitmapView& src, int xSrc, int ySrc,
                    int wSrc, int hSrc);
    // TransparentBlt: as StretchBlt, but source pixels of the transparent colour are not copied.
    void TransparentBlt(int xDst, int yDst, int wDst, int hDst, const BitmapView& src, int xSrc, int ySrc,
                        int wSrc, int hSrc, ColorRef transparent);
    // DrawIconEx with DI_NORMAL: the icon scaled to cx x cy; the mask keeps the surface where it is set
    // (AND), then the colour pixels are combined with XOR where it is set and copied where it is not.
    void DrawIconEx(int x, int y, const Picture& icon, int cx, int cy);

private:
    Pixel* At(int x, int y) { return &pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
    OleColor backColor_ = kSysButtonFace;
    OleColor foreColor_ = kSysButtonText;
    FontDescription font_;
};

} // namespace trimvox::gdi
