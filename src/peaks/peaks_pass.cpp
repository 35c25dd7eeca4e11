// SPDX-License-Identifier: GPL-3.0-or-later
#include "peaks/peaks_pass.h"

#include "peaks/fine_peaks_sink.h"
#include "split/decode_pass.h"

#include <vector>

namespace trimvox {

std::optional<PeakPyramid> DecodePeaks(const std::filesystem::path& file, const PeakCache* cache,
                                       std::span<DecodedBlockSink* const> others,
                                       const std::atomic<bool>& stop) {
    FinePeaksSink fine;
    std::vector<DecodedBlockSink*> sinks{&fine};
    sinks.insert(sinks.end(), others.begin(), others.end());
    const DecodePassResult pass = DecodeToSinks(file, sinks, stop);
    if (!pass.decoded || pass.stopped) {
        return std::nullopt;
    }
    PeakLevel level = fine.take();
    if (cache != nullptr) {
        cache->store(file, level);
    }
    return PeakPyramid(std::move(level));
}

std::optional<LoadedPeaks> LoadPeaks(const std::filesystem::path& file, const PeakCache* cache,
                                     const std::atomic<bool>& stop) {
    if (cache != nullptr) {
        if (std::optional<PeakLevel> level = cache->load(file); level && level->pixels() > 0) {
            return LoadedPeaks{PeakPyramid(std::move(*level)), true};
        }
    }
    std::optional<PeakPyramid> peaks = DecodePeaks(file, cache, {}, stop);
    if (!peaks) {
        return std::nullopt;
    }
    return LoadedPeaks{std::move(*peaks), false};
}

} // namespace trimvox
