// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mp3/decoded_block_sink.h"

#include <cstdint>
#include <vector>

namespace trimvox {

// A stretch of the source, [start, end) in samples per channel, in which no sample of any channel
// reaches the threshold. `split` tells whether a piece boundary was put in it.
struct Silence {
    std::int64_t start = 0;
    std::int64_t end = 0;
    bool split = false;
    friend bool operator==(const Silence&, const Silence&) = default;
};

// The amplitude (of 32768, full scale) below which a 16-bit sample counts as silent: 32768 × 10^(dB / 20).
double SilenceLevel(double thresholdDb);

// Finds the silences of a decoded stream as its blocks go by: every run of samples whose absolute value
// stays below the level (on every channel) for at least `minSilenceSeconds`. A peak measure, sample by
// sample, so a silence's edges are exact; a single click louder than the threshold breaks a silence.
// Keeps only the silences found and the run in progress: its memory does not grow with the file's length
// (at most one Silence per `minSilenceSeconds` of audio).
class SilenceDetector final : public DecodedBlockSink {
public:
    SilenceDetector(double thresholdDb, double minSilenceSeconds);

    void onFormat(const DecodedFormat& format) override;
    void onBlock(std::int64_t position, const std::int16_t* samples, std::size_t frames) override;
    void onEnd(std::int64_t totalSamples) override;

    const std::vector<Silence>& silences() const { return silences_; }
    long rate() const { return rate_; }
    // Known after onEnd.
    std::int64_t totalSamples() const { return total_; }

private:
    void closeRun(std::int64_t end);

    double thresholdDb_;
    double minSilenceSeconds_;
    int level_ = 0; // a sample is silent when its absolute value is below this
    std::int64_t minRun_ = 0;
    long rate_ = 0;
    int channels_ = 1;
    std::int64_t runStart_ = -1; // the first sample of the silent run in progress, -1 outside one
    std::int64_t total_ = 0;
    std::vector<Silence> silences_;
};

} // namespace trimvox
