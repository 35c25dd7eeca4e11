// SPDX-License-Identifier: GPL-3.0-or-later
#include "peaks/fine_peaks_sink.h"

#include <algorithm>
#include <limits>

namespace trimvox {

FinePeaksSink::FinePeaksSink(int samplesPerPixel) {
    level_.samplesPerPixel = std::max(1, samplesPerPixel);
}

void FinePeaksSink::onFormat(const DecodedFormat& format) {
    channels_ = std::max(1, format.channels);
    if (level_.rate == 0) {
        level_.rate = format.rate;
        if (format.expectedSamples > 0) {
            level_.pairs.reserve(
                2 * static_cast<std::size_t>(format.expectedSamples / level_.samplesPerPixel + 2));
        }
    }
}

void FinePeaksSink::onBlock(std::int64_t, const std::int16_t* samples, std::size_t frames) {
    const std::size_t perPixel = static_cast<std::size_t>(level_.samplesPerPixel);
    std::size_t i = 0;
    while (i < frames) {
        if (filled_ == 0) {
            low_ = std::numeric_limits<std::int16_t>::max();
            high_ = std::numeric_limits<std::int16_t>::min();
        }
        const std::size_t take = std::min(frames - i, perPixel - static_cast<std::size_t>(filled_));
        std::int16_t lo = low_, hi = high_;
        const std::int16_t* s = samples + i * static_cast<std::size_t>(channels_);
        const std::size_t count = take * static_cast<std::size_t>(channels_);
        for (std::size_t k = 0; k < count; ++k) {
            lo = std::min(lo, s[k]);
            hi = std::max(hi, s[k]);
        }
        low_ = lo;
        high_ = hi;
        filled_ += static_cast<int>(take);
        i += take;
        if (static_cast<std::size_t>(filled_) == perPixel) {
            level_.pairs.push_back(LowByte(low_));
            level_.pairs.push_back(HighByte(high_));
            filled_ = 0;
        }
    }
}

void FinePeaksSink::onEnd(std::int64_t totalSamples) {
    if (filled_ > 0) {
        level_.pairs.push_back(LowByte(low_));
        level_.pairs.push_back(HighByte(high_));
        filled_ = 0;
    }
    level_.totalSamples = totalSamples;
    level_.pairs.shrink_to_fit();
}

} // namespace trimvox
