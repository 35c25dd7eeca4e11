// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "split/list_text.h"

#include <string>
#include <string_view>

namespace trimvox {

// Reads a cue sheet of one audio file (the bytes of the file: UTF-8, or GB18030 where it is not UTF-8).
// Each TRACK nn AUDIO with its INDEX 01 mm:ss:ff (75 frames a second) starts a piece that runs to the
// next track's INDEX 01, the last to the end of the source (`totalSamples` at `rate`); INDEX 00, the
// pregap, stays with the track before. TITLE and PERFORMER before the first track are the album's, after
// it the track's (a track without a performer takes the album's). REM, CATALOG, CDTEXTFILE, FLAGS, ISRC,
// SONGWRITER, PREGAP and POSTGAP are read over. A quoted value runs to the last quote of its line, so a
// title may hold quotes. Any other line, a second FILE, a track without INDEX 01 or tracks out of order
// give an error with the line's number.
ImportResult ReadCueSheet(std::string_view bytes, long rate, std::int64_t totalSamples);

// A cue sheet of the list for `audioFile` (a name, written as given), in UTF-8 with a byte-order mark
// (which Windows players need to read it as UTF-8). A cue sheet holds starts only, at 1/75 s: each track
// starts at its piece's start rounded to the nearest frame and runs to the next one's, so gaps between
// pieces and the last piece's end are not kept (a label file keeps them).
std::string WriteCueSheet(const SegmentList& list, const std::string& audioFile,
                          const std::string& album = {}, const std::string& performer = {});

} // namespace trimvox
