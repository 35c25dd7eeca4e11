// SPDX-License-Identifier: GPL-3.0-or-later
#include "peaks/peak_pyramid.h"

#include <algorithm>
#include <cmath>

namespace trimvox {

namespace {
constexpr int kFactor = 4;
constexpr std::size_t kSmallest = 512;
} // namespace

PeakPyramid::PeakPyramid(PeakLevel fine) {
    levels_.push_back(std::move(fine));
    while (levels_.back().pixels() > kSmallest) {
        levels_.push_back(Coarser(levels_.back(), kFactor));
    }
}

std::size_t PeakPyramid::bytes() const {
    std::size_t sum = 0;
    for (const PeakLevel& level : levels_) {
        sum += level.pairs.capacity();
    }
    return sum;
}

const PeakLevel& PeakPyramid::levelFor(double samplesPerPixel) const {
    const PeakLevel* best = &levels_.front();
    for (const PeakLevel& level : levels_) {
        if (level.samplesPerPixel <= samplesPerPixel) {
            best = &level;
        }
    }
    return *best;
}

SpanPeak PeakPyramid::span(double start, double end) const {
    SpanPeak peak;
    if (empty() || end <= start) {
        return peak;
    }
    const PeakLevel& level = levelFor(end - start);
    const double spp = level.samplesPerPixel;
    const auto pixels = static_cast<std::int64_t>(level.pixels());
    const std::int64_t first =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(std::floor(start / spp)), 0, pixels);
    const std::int64_t last =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(std::ceil(end / spp)), 0, pixels);
    if (first >= last) {
        return peak;
    }
    std::int8_t low = level.low(static_cast<std::size_t>(first)),
                high = level.high(static_cast<std::size_t>(first));
    for (std::int64_t p = first + 1; p < last; ++p) {
        low = std::min(low, level.low(static_cast<std::size_t>(p)));
        high = std::max(high, level.high(static_cast<std::size_t>(p)));
    }
    return SpanPeak{low, high, false};
}

} // namespace trimvox
