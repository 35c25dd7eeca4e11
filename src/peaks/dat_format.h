// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "peaks/peak_level.h"

#include <optional>
#include <string>
#include <string_view>

namespace trimvox {

// A level as audiowaveform's .dat file, version 2, little-endian: int32 version (2), uint32 flags (1: 8-bit
// values), int32 sample rate, int32 samples per pixel, uint32 length in pixels, int32 channels (1: the
// low and high over all channels), then a low and a high byte per pixel. After the data, where other readers
// stop, a 12-byte trailer: the tag "TVXS" and the source's length in samples per channel as int64, so that
// a reopened file knows its exact length without decoding it again.
std::string WriteDat(const PeakLevel& level);

// The level in a .dat file of version 1 or 2, 8-bit, one channel (what WriteDat writes, and what
// audiowaveform writes with -b 8 for a mono mix); nothing for anything else or a short file. Without the
// trailer, the length is taken as pixels × samples per pixel.
std::optional<PeakLevel> ReadDat(std::string_view bytes);

} // namespace trimvox
