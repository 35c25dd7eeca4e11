// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mp3/decoded_block_sink.h"
#include "mp3/waveform_peaks.h"

namespace trimvox {

// The waveform's columns (as ComputePeaks reports them) from a shared decoding pass: `columns` equal
// slices of `duration` seconds (0 or less: the length the decoder announces), each reported once, left
// to right, as soon as the pass has gone beyond it; samples past the last slice count for the last column.
// Keeps one column's min and max only.
class ColumnPeaksSink final : public DecodedBlockSink {
public:
    ColumnPeaksSink(int columns, double duration, PeakSink sink);

    void onFormat(const DecodedFormat& format) override;
    void onBlock(std::int64_t position, const std::int16_t* samples, std::size_t frames) override;
    void onEnd(std::int64_t totalSamples) override;

private:
    std::int64_t columnEnd(int column) const;
    void flush();

    int columns_;
    double duration_;
    PeakSink sink_;
    double gridSamples_ = 0; // the length the columns share, in samples per channel
    int channels_ = 1;
    int column_ = 0;
    std::int64_t end_ = 0; // where the current column ends
    std::int16_t low_ = 0, high_ = 0;
    bool filled_ = false;
};

} // namespace trimvox
