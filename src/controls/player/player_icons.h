// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QStyle>

namespace trimvox {

// The style's standard icon, made once per style and pixmap for the whole program. A fresh QIcon for every
// play/pause or every new player would put fresh pixmaps into Qt's pixmap cache each time (its key is the
// icon's serial number), and the program would grow with every preview.
QIcon PlayerIcon(const QStyle& style, QStyle::StandardPixmap pixmap);

} // namespace trimvox
