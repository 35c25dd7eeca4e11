// SPDX-License-Identifier: GPL-3.0-or-later
#include "peaks/peak_level.h"

#include <algorithm>

namespace trimvox {

PeakLevel Coarser(const PeakLevel& fine, int factor) {
    if (factor < 2) {
        return fine;
    }
    PeakLevel coarse;
    coarse.rate = fine.rate;
    coarse.samplesPerPixel = fine.samplesPerPixel * factor;
    coarse.totalSamples = fine.totalSamples;
    const std::size_t pixels = fine.pixels();
    const std::size_t step = static_cast<std::size_t>(factor);
    coarse.pairs.resize(2 * ((pixels + step - 1) / step));
    for (std::size_t out = 0, first = 0; first < pixels; ++out, first += step) {
        const std::size_t last = std::min(pixels, first + step);
        std::int8_t low = fine.low(first), high = fine.high(first);
        for (std::size_t p = first + 1; p < last; ++p) {
            low = std::min(low, fine.low(p));
            high = std::max(high, fine.high(p));
        }
        coarse.pairs[2 * out] = low;
        coarse.pairs[2 * out + 1] = high;
    }
    return coarse;
}

} // namespace trimvox
