// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mp3/decoded_block_sink.h"
#include "peaks/peak_level.h"

namespace trimvox {

// The fine peaks (one 8-bit low/high pair per `samplesPerPixel` samples) from a shared decoding pass
// (DecodeToSinks), beside the silence detector or any other sink. Holds two bytes per pixel: a 3-hour
// 44.1 kHz file at 256 samples per pixel takes 3.7 MB.
class FinePeaksSink final : public DecodedBlockSink {
public:
    static constexpr int kSamplesPerPixel = 256;

    explicit FinePeaksSink(int samplesPerPixel = kSamplesPerPixel);

    void onFormat(const DecodedFormat& format) override;
    void onBlock(std::int64_t position, const std::int16_t* samples, std::size_t frames) override;
    void onEnd(std::int64_t totalSamples) override;

    // Complete after onEnd; before it, the pixels the pass has gone past (the last one may still grow).
    const PeakLevel& level() const { return level_; }
    PeakLevel take() { return std::move(level_); }

private:
    PeakLevel level_;
    int channels_ = 1;
    int filled_ = 0; // samples per channel in the pixel in progress
    std::int16_t low_ = 0, high_ = 0;
};

} // namespace trimvox
