// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mp3/media_info.h"

#include <QString>

namespace trimvox {

// The media the player has open (its "currentMedia"): the file's length and the item information the windows
// show. Empty when nothing is open: length 0 and empty texts.
class MediaItem {
public:
    MediaItem() = default;
    // `path` is the full path of the file, `info` what was read from it.
    MediaItem(const QString& path, const MediaInfo& info);

    // Length in seconds; 0 for media that cannot be played.
    double duration() const { return duration_; }
    // "Title" (the tag's title, else the file name without its extension), "FileType" (the file name's
    // extension in lower case, "mp3" for an MP3 file) and "sourceURL" (the full path). Names are matched
    // without regard to case; any other name gives an empty text.
    QString getItemInfo(const QString& name) const;

    bool isEmpty() const { return sourceURL_.isEmpty(); }

    // The player found that the file cannot be played after all: its length becomes 0.
    void markUnplayable() { duration_ = 0.0; }
    // The true length found later (from the frames of a file whose header does not count them).
    void setDuration(double seconds) { duration_ = seconds; }

private:
    double duration_ = 0.0;
    QString title_;
    QString fileType_;
    QString sourceURL_;
};

} // namespace trimvox
