// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mp3/decoded_block_sink.h"
#include "peaks/peak_cache.h"
#include "peaks/peak_pyramid.h"

#include <atomic>
#include <filesystem>
#include <optional>
#include <span>

namespace trimvox {

// The peaks of a file at every zoom: from the cache when it holds them for the file as it is, else from one
// decoding pass that also feeds `others` (the silence detector, say), after which the cache keeps them.
// `fromCache` tells which. Nothing when the file does not decode or `stop` turned true.
struct LoadedPeaks {
    PeakPyramid peaks;
    bool fromCache = false;
};
std::optional<LoadedPeaks> LoadPeaks(const std::filesystem::path& file, const PeakCache* cache,
                                     const std::atomic<bool>& stop);

// Always decodes (the cache is written, not read): the fine peaks and `others` from one pass.
std::optional<PeakPyramid> DecodePeaks(const std::filesystem::path& file, const PeakCache* cache,
                                       std::span<DecodedBlockSink* const> others,
                                       const std::atomic<bool>& stop);

} // namespace trimvox
