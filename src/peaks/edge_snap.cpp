// SPDX-License-Identifier: GPL-3.0-or-later
#include "peaks/edge_snap.h"

#include <algorithm>
#include <cstdlib>

namespace trimvox {

std::vector<std::int64_t> SnapTargets(const std::vector<Silence>& silences, const PeakPyramid* peaks,
                                      std::int64_t from, std::int64_t to, int quietLevel) {
    std::vector<std::int64_t> targets;
    for (const Silence& silence : silences) {
        for (const std::int64_t t :
             {silence.start, silence.start + (silence.end - silence.start) / 2, silence.end}) {
            if (t >= from && t <= to) {
                targets.push_back(t);
            }
        }
    }
    if (peaks != nullptr && !peaks->empty()) {
        const PeakLevel& fine = peaks->fine();
        const std::int64_t spp = fine.samplesPerPixel;
        const std::int64_t first = std::max<std::int64_t>(0, from / spp);
        const std::int64_t last =
            std::min<std::int64_t>(static_cast<std::int64_t>(fine.pixels()), to / spp + 1);
        for (std::int64_t p = first; p < last; ++p) {
            const auto index = static_cast<std::size_t>(p);
            if (std::abs(fine.low(index)) <= quietLevel && std::abs(fine.high(index)) <= quietLevel) {
                const std::int64_t middle = std::min(fine.totalSamples, p * spp + spp / 2);
                if (middle >= from && middle <= to) {
                    targets.push_back(middle);
                }
            }
        }
    }
    std::sort(targets.begin(), targets.end());
    targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
    return targets;
}

std::optional<std::int64_t> NearestTarget(const std::vector<std::int64_t>& targets, std::int64_t sample,
                                          double radius) {
    const auto after = std::lower_bound(targets.begin(), targets.end(), sample);
    std::optional<std::int64_t> best;
    if (after != targets.begin() && static_cast<double>(sample - *std::prev(after)) <= radius) {
        best = *std::prev(after);
    }
    if (after != targets.end() && static_cast<double>(*after - sample) <= radius &&
        (!best || *after - sample < sample - *best)) {
        best = *after;
    }
    return best;
}

} // namespace trimvox
