// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/silence_detector.h"

#include <algorithm>
#include <cmath>

namespace trimvox {

double SilenceLevel(double thresholdDb) {
    return 32768.0 * std::pow(10.0, thresholdDb / 20.0);
}

SilenceDetector::SilenceDetector(double thresholdDb, double minSilenceSeconds)
    : thresholdDb_(thresholdDb), minSilenceSeconds_(minSilenceSeconds) {}

void SilenceDetector::onFormat(const DecodedFormat& format) {
    // A rate that changes mid-stream (which no encoder writes) keeps the first rate's lengths.
    if (rate_ == 0) {
        rate_ = format.rate;
        minRun_ = std::max<std::int64_t>(1, std::llround(minSilenceSeconds_ * static_cast<double>(rate_)));
        // Below the level: |x| < level, so a level of 1 takes digital zero alone and a level above 32768
        // takes every sample.
        level_ = static_cast<int>(std::clamp(std::ceil(SilenceLevel(thresholdDb_)), 1.0, 32769.0));
    }
    channels_ = std::max(1, format.channels);
}

void SilenceDetector::closeRun(std::int64_t end) {
    if (runStart_ >= 0 && end - runStart_ >= minRun_) {
        silences_.push_back(Silence{runStart_, end});
    }
    runStart_ = -1;
}

namespace {

// Frames looked at together: their lowest and highest sample tell at once whether any of them is loud.
constexpr std::size_t kChunkFrames = 32;

bool IsLoud(std::int16_t sample, int level) {
    return std::abs(static_cast<int>(sample)) >= level;
}

} // namespace

void SilenceDetector::onBlock(std::int64_t position, const std::int16_t* samples, std::size_t frames) {
    const auto channels = static_cast<std::size_t>(channels_);
    // Silent runs shorter than a chunk matter only when the minimum silence is that short.
    const std::size_t chunk = minRun_ > static_cast<std::int64_t>(kChunkFrames) ? kChunkFrames : 1;
    for (std::size_t f = 0; f < frames; f += chunk) {
        const std::size_t n = std::min(chunk, frames - f);
        const std::int16_t* s = samples + f * channels;
        const std::size_t count = n * channels;
        // The extremes of the chunk: a plain loop over 16-bit values, which the compiler vectorises.
        std::int16_t low = 0;
        std::int16_t high = 0;
        for (std::size_t k = 0; k < count; ++k) {
            low = std::min(low, s[k]);
            high = std::max(high, s[k]);
        }
        if (!IsLoud(low, level_) && !IsLoud(high, level_)) {
            if (runStart_ < 0) {
                runStart_ = position + static_cast<std::int64_t>(f);
            }
            continue;
        }
        // A loud sample ends the run in progress at its frame; the run after the chunk's last loud sample
        // starts the next one (the quiet frames between loud ones inside the chunk are shorter than any
        // silence).
        if (runStart_ >= 0) {
            std::size_t first = 0;
            while (!IsLoud(s[first], level_)) {
                ++first;
            }
            closeRun(position + static_cast<std::int64_t>(f + first / channels));
        }
        std::size_t last = count - 1;
        while (!IsLoud(s[last], level_)) {
            --last;
        }
        const std::size_t after = last / channels + 1;
        if (after < n) {
            runStart_ = position + static_cast<std::int64_t>(f + after);
        }
    }
}

void SilenceDetector::onEnd(std::int64_t totalSamples) {
    total_ = totalSamples;
    closeRun(totalSamples);
}

} // namespace trimvox
