// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/design_pictures.h"

#include "platform/gdi/picture.h"

#include <QFile>
#include <QImage>

#include <vector>

namespace trimvox {

namespace {

std::vector<gdi::Pixel> RgbPixels(const QImage& image) {
    std::vector<gdi::Pixel> pixels;
    pixels.reserve(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            pixels.push_back(line[x] & gdi::kPixelRgbMask);
        }
    }
    return pixels;
}

std::uint16_t Le16(const QByteArray& bytes, int at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

} // namespace

mxbutton::PicturePtr LoadDesignBitmap(const QString& path) {
    const QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
    if (image.isNull()) {
        return nullptr;
    }
    return std::make_shared<const gdi::Picture>(
        gdi::Picture::MakeBitmap(image.width(), image.height(), RgbPixels(image)));
}

DesignCursor LoadDesignCursor(const QString& path) {
    DesignCursor out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return out;
    }
    const QByteArray bytes = file.readAll();
    // Header: reserved 0, type 2 (cursor), image count; then the first directory entry, whose planes and
    // bit count fields hold the hot spot.
    if (bytes.size() < 22 || Le16(bytes, 0) != 0 || Le16(bytes, 2) != 2 || Le16(bytes, 4) < 1) {
        return out;
    }
    QImage image;
    if (!image.loadFromData(bytes, "CUR") && !image.loadFromData(bytes, "ICO")) {
        return out;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    std::vector<std::uint8_t> mask;
    mask.reserve(static_cast<std::size_t>(image.width()) * image.height());
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            mask.push_back(qAlpha(image.pixel(x, y)) < 128 ? 1 : 0);
        }
    }
    out.hotSpot = QPoint(Le16(bytes, 10), Le16(bytes, 12));
    gdi::Picture picture =
        gdi::Picture::MakeIcon(image.width(), image.height(), RgbPixels(image), std::move(mask));
    picture.hotSpotX = out.hotSpot.x();
    picture.hotSpotY = out.hotSpot.y();
    out.picture = std::make_shared<const gdi::Picture>(std::move(picture));
    return out;
}

} // namespace trimvox
