// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/column_peaks_sink.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace trimvox {

ColumnPeaksSink::ColumnPeaksSink(int columns, double duration, PeakSink sink)
    : columns_(columns), duration_(duration), sink_(std::move(sink)) {}

std::int64_t ColumnPeaksSink::columnEnd(int column) const {
    if (column + 1 >= columns_) {
        return std::numeric_limits<std::int64_t>::max();
    }
    return std::llround(gridSamples_ * (column + 1) / columns_);
}

void ColumnPeaksSink::onFormat(const DecodedFormat& format) {
    channels_ = std::max(1, format.channels);
    if (gridSamples_ <= 0) {
        gridSamples_ = duration_ > 0 ? duration_ * static_cast<double>(format.rate)
                                     : static_cast<double>(std::max<std::int64_t>(format.expectedSamples, 0));
        end_ = columnEnd(0);
    }
}

void ColumnPeaksSink::flush() {
    if (filled_) {
        sink_(column_, PeakPair{low_ / 32768.0f, high_ / 32768.0f});
    }
    filled_ = false;
}

void ColumnPeaksSink::onBlock(std::int64_t position, const std::int16_t* samples, std::size_t frames) {
    if (columns_ <= 0 || gridSamples_ <= 0) {
        return; // no length to lay the columns out on
    }
    std::size_t i = 0;
    while (i < frames) {
        while (position + static_cast<std::int64_t>(i) >= end_) {
            flush();
            ++column_;
            end_ = columnEnd(column_);
        }
        const std::size_t stop = static_cast<std::size_t>(
            std::min<std::int64_t>(static_cast<std::int64_t>(frames), end_ - position));
        if (!filled_) {
            low_ = std::numeric_limits<std::int16_t>::max();
            high_ = std::numeric_limits<std::int16_t>::min();
            filled_ = true;
        }
        std::int16_t lo = low_, hi = high_;
        for (const std::int16_t* s = samples + i * channels_; s != samples + stop * channels_; ++s) {
            lo = std::min(lo, *s);
            hi = std::max(hi, *s);
        }
        low_ = lo;
        high_ = hi;
        i = stop;
    }
}

void ColumnPeaksSink::onEnd(std::int64_t) {
    flush();
}

} // namespace trimvox
