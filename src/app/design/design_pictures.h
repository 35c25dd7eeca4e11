// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Pictures that a window design refers to by resource path, loaded as the button control keeps them.

#include "controls/mxbutton/button_model.h"

#include <QPoint>
#include <QString>

namespace trimvox {

// A JPEG, PNG or BMP as a bitmap picture; none when it cannot be read.
mxbutton::PicturePtr LoadDesignBitmap(const QString& path);

// A cursor file (.cur): its image as an icon picture (the transparent pixels in the mask) and the hot spot
// that the file gives.
struct DesignCursor {
    mxbutton::PicturePtr picture; // none when the file cannot be read
    QPoint hotSpot;
};
DesignCursor LoadDesignCursor(const QString& path);

} // namespace trimvox
