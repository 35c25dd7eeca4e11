// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/equal_parts.h"

#include <cmath>
#include <vector>

namespace trimvox {

std::optional<SegmentList> EqualParts(long rate, std::int64_t totalSamples, int count) {
    if (count < 1 || count > totalSamples) {
        return std::nullopt;
    }
    std::vector<std::int64_t> boundaries;
    for (int k = 1; k < count; ++k) {
        // Integer arithmetic: exact for any length a file can have.
        const __int128 scaled = static_cast<__int128>(totalSamples) * k * 2 + count;
        boundaries.push_back(static_cast<std::int64_t>(scaled / (2 * count)));
    }
    return TileAt(rate, totalSamples, std::move(boundaries));
}

std::optional<SegmentList> PiecesEvery(long rate, std::int64_t totalSamples, double seconds) {
    const double step = seconds * static_cast<double>(rate);
    if (!(step >= 1.0) || !std::isfinite(step) || totalSamples <= 0) {
        return std::nullopt;
    }
    std::vector<std::int64_t> boundaries;
    for (std::int64_t k = 1;; ++k) {
        const auto boundary = static_cast<std::int64_t>(std::llround(static_cast<double>(k) * step));
        if (boundary >= totalSamples) {
            break;
        }
        boundaries.push_back(boundary);
    }
    return TileAt(rate, totalSamples, std::move(boundaries));
}

} // namespace trimvox
