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
    // The length is an estimate from the first frames and the file's size: the stream's header does not
    // count its frames and the file is too large to walk them at once. WalkedDuration gives the true one.
    bool lengthEstimated = false;
};

// Reads title and length of an MP3 file. Never throws: a missing, empty or foreign file reads as not
// playable. The length is the header's where it counts the frames; else the frames of a file up to
// kWalkAtOnceLimit are walked (without decoding) for their true length.
MediaInfo ReadMediaInfo(const std::filesystem::path& path);

} // namespace trimvox
