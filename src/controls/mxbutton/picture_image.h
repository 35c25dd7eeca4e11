// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/button_model.h"

#include <QImage>

namespace trimvox::mxbutton {

// A picture as a Qt image (icons keep their transparency); a null image for none.
QImage PictureToImage(const PicturePtr& picture);

} // namespace trimvox::mxbutton
