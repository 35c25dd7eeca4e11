// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fuzz_check.h"
#include "split/list_text.h"

#include <fuzzer/FuzzedDataProvider.h>

namespace trimvox::fuzz {

// A list file as the fuzzer gives it: its last bytes choose the source's rate and length, the rest is the
// file's text.
struct ListInput {
    long rate = 44100;
    std::int64_t totalSamples = 0;
    std::string text;
};

inline ListInput TakeListInput(const std::uint8_t* data, std::size_t size) {
    static constexpr long kRates[] = {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000};
    FuzzedDataProvider provider(data, size);
    ListInput input;
    input.rate = kRates[provider.ConsumeIntegralInRange<std::size_t>(0, std::size(kRates) - 1)];
    // Up to 2^36 samples: over two weeks at 48 kHz.
    input.totalSamples = static_cast<std::int64_t>(provider.ConsumeIntegral<std::uint32_t>()) << 4;
    input.text = provider.ConsumeRemainingBytesAsString();
    return input;
}

// What every list read from a file keeps: the source's rate and length, and pieces in order, inside the
// source, none empty, none overlapping; or an error that can be told.
inline void CheckImport(const ImportResult& result, const ListInput& input) {
    if (!result.ok()) {
        FUZZ_CHECK(!Describe(*result.error).empty());
        return;
    }
    const SegmentList& list = result.imported.list;
    FUZZ_CHECK(list.rate() == input.rate && list.totalSamples() == input.totalSamples);
    FUZZ_CHECK(!list.empty());
    FUZZ_CHECK(!FindBadSegment(list.segments(), input.totalSamples).has_value());
}

} // namespace trimvox::fuzz
