// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trimvox {

// One level of a waveform's peaks: for each pixel of `samplesPerPixel` samples (per channel), the lowest
// and the highest sample over all channels, in 8 bits (a 16-bit sample s is s >> 8 for the low, rounded up
// for the high, so the pair always covers the samples). `totalSamples` is the source's length in samples
// per channel; the last pixel may hold fewer samples than the others.
struct PeakLevel {
    long rate = 0;
    int samplesPerPixel = 0;
    std::int64_t totalSamples = 0;
    std::vector<std::int8_t> pairs; // low, high, low, high, ...

    std::size_t pixels() const { return pairs.size() / 2; }
    std::int8_t low(std::size_t pixel) const { return pairs[2 * pixel]; }
    std::int8_t high(std::size_t pixel) const { return pairs[2 * pixel + 1]; }
    friend bool operator==(const PeakLevel&, const PeakLevel&) = default;
};

// The level with `factor` times as many samples per pixel: the low of the lows and the high of the highs of
// each group of `factor` pixels (the last group may be shorter). A factor below 2 gives a copy.
PeakLevel Coarser(const PeakLevel& fine, int factor);

// The 8-bit low and high of a 16-bit sample.
constexpr std::int8_t LowByte(std::int16_t sample) {
    return static_cast<std::int8_t>(sample >> 8);
}
constexpr std::int8_t HighByte(std::int16_t sample) {
    const int rounded = (static_cast<int>(sample) + 255) >> 8;
    return static_cast<std::int8_t>(rounded > 127 ? 127 : rounded);
}

} // namespace trimvox
