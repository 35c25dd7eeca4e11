// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/media_item.h"

#include "common/path_text.h"

#include <QFileInfo>

namespace trimvox {

MediaItem::MediaItem(const QString& path, const MediaInfo& info)
    : duration_(info.playable ? info.durationSeconds : 0.0),
      title_(QString::fromStdString(DisplayName(info.title))), sourceURL_(path) {
    fileType_ = QFileInfo(path).suffix().toLower();
    if (fileType_.isEmpty() && info.playable) {
        fileType_ = QStringLiteral("mp3");
    }
}

QString MediaItem::getItemInfo(const QString& name) const {
    if (name.compare(QLatin1String("Title"), Qt::CaseInsensitive) == 0) {
        return title_;
    }
    if (name.compare(QLatin1String("FileType"), Qt::CaseInsensitive) == 0) {
        return fileType_;
    }
    if (name.compare(QLatin1String("sourceURL"), Qt::CaseInsensitive) == 0) {
        return sourceURL_;
    }
    return {};
}

} // namespace trimvox
