// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/picture_effects.h"

#include "platform/gdi/dib.h"

namespace trimvox::mxbutton {

namespace {

// A 24-bit bottom-up copy of width x height pixels, as GetDIBits gives it.
std::vector<std::uint8_t> ToDib24(int width, int height, auto pixelAt) {
    const int stride = gdi::DibStride(width, 24);
    std::vector<std::uint8_t> buf(static_cast<std::size_t>(stride) * height, 0);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = &buf[static_cast<std::size_t>(height - 1 - y) * stride];
        for (int x = 0; x < width; ++x) {
            const gdi::Pixel p = pixelAt(x, y);
            row[3 * x + 0] = static_cast<std::uint8_t>(p & 0xFF);
            row[3 * x + 1] = static_cast<std::uint8_t>((p >> 8) & 0xFF);
            row[3 * x + 2] = static_cast<std::uint8_t>((p >> 16) & 0xFF);
        }
    }
    return buf;
}

} // namespace

void DrawIconPicture(gdi::Surface& s, const gdi::Picture& icon, int x, int y, int width, int height) {
    s.DrawIconEx(x, y, icon, width, height);
}

void DrawBitmapPicture(gdi::Surface& s, const gdi::Picture& bitmap, int x, int y, int width, int height,
                       bool useMaskColor, gdi::ColorRef maskColor) {
    const gdi::BitmapView src{bitmap.pixels.data(), bitmap.width, bitmap.height};
    if (useMaskColor)
        s.TransparentBlt(x, y, width, height, src, 0, 0, width, height, maskColor);
    else
        s.StretchBlt(x, y, width, height, src, 0, 0, width, height);
}

void GrayPixels24(std::vector<std::uint8_t>& buffer, int width, int height) {
    const int stride = gdi::DibStride(width, 24);
    if (buffer.size() < static_cast<std::size_t>(stride) * height)
        return;
    for (int row = 0; row < height; ++row) {
        std::uint8_t* p = &buffer[static_cast<std::size_t>(row) * stride];
        for (int x = 0; x < width; ++x, p += 3) {
            const auto grey = static_cast<std::uint8_t>((p[0] + p[1] + p[2]) / 3);
            p[0] = grey;
            p[1] = grey;
            p[2] = grey;
        }
    }
}

bool DrawGrayedPicture(gdi::Surface& s, const gdi::Picture& picture, int x, int y, int width, int height) {
    if (picture.type != gdi::PictureType::Bitmap && picture.type != gdi::PictureType::Icon)
        return false;
    const int w = picture.width;
    const int h = picture.height;
    if (w <= 0 || h <= 0 || picture.pixels.size() < static_cast<std::size_t>(w) * h)
        return false;
    if (width == -1)
        width = w;
    if (height == -1)
        height = h;

    std::vector<std::uint8_t> grey = ToDib24(w, h, [&](int px, int py) { return picture.PixelAt(px, py); });
    GrayPixels24(grey, w, h);
    // The mask: white where an icon is transparent, black elsewhere; all black for a bitmap.
    const bool icon = picture.type == gdi::PictureType::Icon;
    std::vector<std::uint8_t> mask = ToDib24(w, h, [&](int px, int py) -> gdi::Pixel {
        return icon && picture.Transparent(px, py) ? gdi::kPixelRgbMask : 0;
    });

    gdi::BitmapInfoHeader info;
    info.width = w;
    info.height = h;
    info.bitCount = 24;
    info.sizeImage = static_cast<std::uint32_t>(gdi::DibStride(w, 24) * h);
    s.StretchDIBits(x, y, width, height, 0, 0, w, h, mask.data(), info, gdi::Rop::SrcAnd);
    s.StretchDIBits(x, y, width, height, 0, 0, w, h, grey.data(), info, gdi::Rop::SrcPaint);
    return width > 0 && height > 0;
}

} // namespace trimvox::mxbutton
