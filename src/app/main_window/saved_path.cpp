// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/saved_path.h"

#include "settings/mymode.h"

namespace trimvox {

QString SavedPath(const QString& chosen) {
    if (QString::fromStdString(mymode::GetExtension(chosen.toStdString())) == QStringLiteral("mp3")) {
        return chosen;
    }
    return chosen + QStringLiteral(".mp3");
}

} // namespace trimvox
