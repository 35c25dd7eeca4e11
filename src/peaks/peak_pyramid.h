// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "peaks/peak_level.h"

#include <cstdint>
#include <vector>

namespace trimvox {

// The low and high of a span of the source, from -128 to 127; `empty` when the span holds no pixel.
struct SpanPeak {
    std::int8_t low = 0;
    std::int8_t high = 0;
    bool empty = true;
};

// The peaks at every zoom: the fine level and, derived from it, levels of 4, 16, 64, ... times as many
// samples per pixel down to a few hundred pixels for the whole file. All levels together take a third more
// than the fine one.
class PeakPyramid {
public:
    PeakPyramid() = default;
    explicit PeakPyramid(PeakLevel fine);

    bool empty() const { return levels_.empty() || levels_.front().pixels() == 0; }
    const PeakLevel& fine() const { return levels_.front(); }
    const std::vector<PeakLevel>& levels() const { return levels_; }
    long rate() const { return empty() ? 0 : fine().rate; }
    std::int64_t totalSamples() const { return empty() ? 0 : fine().totalSamples; }
    std::size_t bytes() const;

    // The coarsest level with no more than `samplesPerPixel` samples per pixel (the fine one when even it
    // is coarser).
    const PeakLevel& levelFor(double samplesPerPixel) const;
    // The low and high over the samples [start, end), read from the level that suits a span of that size
    // (whole pixels of the level: a span is widened to the pixels it touches).
    SpanPeak span(double start, double end) const;

private:
    std::vector<PeakLevel> levels_;
};

} // namespace trimvox
