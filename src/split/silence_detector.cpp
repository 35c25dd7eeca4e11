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

void SilenceDetector::onBlock(std::int64_t position, const std::int16_t* samples, std::size_t frames) {
    const int level = level_;
    const int channels = channels_;
    const std::size_t count = frames * static_cast<std::size_t>(channels);
    // Walk from loud sample to loud sample: the stretch between two of them is silent.
    std::size_t i = 0;
    while (i < count) {
        // The next loud sample from i on (a plain loop, which the compiler vectorises well enough).
        std::size_t loud = i;
        while (loud < count && std::abs(static_cast<int>(samples[loud])) < level) {
            ++loud;
        }
        const std::size_t frame = loud / static_cast<std::size_t>(channels);
        if (loud == count) {
            // Silent to the end of the block: the run carries on into the next one.
            if (runStart_ < 0) {
                runStart_ = position + static_cast<std::int64_t>(i / static_cast<std::size_t>(channels));
            }
            break;
        }
        if (runStart_ < 0 && frame > i / static_cast<std::size_t>(channels)) {
            runStart_ = position + static_cast<std::int64_t>(i / static_cast<std::size_t>(channels));
        }
        closeRun(position + static_cast<std::int64_t>(frame));
        // A silent run starts, at the earliest, at the frame after the loud one.
        i = (frame + 1) * static_cast<std::size_t>(channels);
    }
}

void SilenceDetector::onEnd(std::int64_t totalSamples) {
    total_ = totalSamples;
    closeRun(totalSamples);
}

} // namespace trimvox
