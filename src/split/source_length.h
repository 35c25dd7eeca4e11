// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <optional>

namespace trimvox {

// A source's sample rate and its exact length in samples per channel on the gapless timeline: the count
// a gapless decoder delivers, and the one a segment list of the source is measured against.
struct SourceLength {
    long rate = 0;
    std::int64_t totalSamples = 0;
};

// Reads the length from the file's LAME tag and the frame count of its Info/Xing header where it has
// both (no decoding: milliseconds for any length); else decodes the whole file once, since without them
// only the decoder knows how many samples come out. Nothing when the file does not decode or `stop`
// turned true.
std::optional<SourceLength> ReadSourceLength(const std::filesystem::path& file,
                                             const std::atomic<bool>& stop);

} // namespace trimvox
