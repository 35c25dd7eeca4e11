// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/media_backend.h"

#include <QByteArray>
#include <QtGlobal>

namespace trimvox {

bool PlaysThroughFfmpeg() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
    const QByteArray chosen = qgetenv("QT_MEDIA_BACKEND");
    return chosen.isEmpty() || chosen == "ffmpeg";
#else
    return false;
#endif
}

} // namespace trimvox
