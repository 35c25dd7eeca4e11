// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/player_icons.h"

#include <QCoreApplication>
#include <QHash>
#include <QString>

#include <utility>

namespace trimvox {

namespace {

using IconKey = std::pair<QString, int>;

QHash<IconKey, QIcon>& Icons() {
    static QHash<IconKey, QIcon> icons;
    static const bool cleared = [] {
        // Icons hold pixmaps, which must go before the application does.
        qAddPostRoutine([] { Icons().clear(); });
        return true;
    }();
    (void)cleared;
    return icons;
}

} // namespace

QIcon PlayerIcon(const QStyle& style, QStyle::StandardPixmap pixmap) {
    auto& icons = Icons();
    const IconKey key{style.name(), static_cast<int>(pixmap)};
    auto found = icons.constFind(key);
    if (found == icons.cend()) {
        found = icons.insert(key, style.standardIcon(pixmap));
    }
    return *found;
}

} // namespace trimvox
