// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/picture.h"

#include <cmath>
#include <utility>

namespace trimvox::gdi {

namespace {

int RoundHalfEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

int HimetricToPixels(int himetric) {
    return RoundHalfEven(static_cast<double>(himetric) * 96.0 / 2540.0);
}

int PixelsToHimetric(int pixels) {
    return RoundHalfEven(static_cast<double>(pixels) * 2540.0 / 96.0);
}

Picture Picture::MakeBitmap(int width, int height, std::vector<Pixel> pixels) {
    Picture p;
    p.type = PictureType::Bitmap;
    p.width = width;
    p.height = height;
    p.pixels = std::move(pixels);
    p.pixels.resize(static_cast<std::size_t>(width) * height);
    p.himetricWidth = PixelsToHimetric(width);
    p.himetricHeight = PixelsToHimetric(height);
    return p;
}

Picture Picture::MakeIcon(int width, int height, std::vector<Pixel> pixels, std::vector<std::uint8_t> mask) {
    Picture p = MakeBitmap(width, height, std::move(pixels));
    p.type = PictureType::Icon;
    p.mask = std::move(mask);
    if (!p.mask.empty()) {
        p.mask.resize(static_cast<std::size_t>(width) * height);
        for (std::size_t i = 0; i < p.pixels.size(); ++i)
            if (p.mask[i] != 0)
                p.pixels[i] = 0;
    }
    return p;
}

} // namespace trimvox::gdi
