// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace trimvox {

// What the program needs to know about an audio file before it plays it, read at once from the file.
struct MediaInfo {
    // The file holds MPEG audio frames a decoder can play (with or without tags or an Info/Xing header,
    // also a run of frames cut out of the middle of a file).
    bool playable = false;
    // The length in seconds; 0 when the file is not playable.
    double durationSeconds = 0.0;
    // The tag's title (UTF-8), else the file name without its extension; empty for an empty path.
    std::string title;
};

// Reads title and length of an MP3 file. Never throws: a missing, empty or foreign file reads as not
// playable.
MediaInfo ReadMediaInfo(const std::filesystem::path& path);

} // namespace trimvox
