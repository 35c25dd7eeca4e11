// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/picture_image.h"

#include "platform/gdi/picture.h"

namespace trimvox::mxbutton {

QImage PictureToImage(const PicturePtr& picture) {
    if (!picture || picture->type == gdi::PictureType::None || picture->width <= 0 || picture->height <= 0) {
        return {};
    }
    QImage image(picture->width, picture->height, QImage::Format_ARGB32);
    for (int y = 0; y < picture->height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < picture->width; ++x) {
            const QRgb rgb = picture->PixelAt(x, y) & 0x00FFFFFFu;
            line[x] = picture->Transparent(x, y) ? 0u : (0xFF000000u | rgb);
        }
    }
    return image;
}

} // namespace trimvox::mxbutton
