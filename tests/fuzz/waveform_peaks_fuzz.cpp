// SPDX-License-Identifier: GPL-3.0-or-later
// The waveform's peaks of any bytes, decoded by one or two threads from a file (a memory file here): the
// last two bytes choose the columns, the length and the threads; the rest is the file. Each column is
// reported at most once, within the grid, as a pair of samples from -1 to 1 with the low one first.
#include "fuzz_check.h"
#include "fuzz_files.h"
#include "mp3/waveform_peaks.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <vector>

using namespace trimvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider provider(data, size);
    const auto shape = provider.ConsumeIntegral<std::uint16_t>();
    const std::vector<std::uint8_t> bytes = provider.ConsumeRemainingBytes<std::uint8_t>();
    fuzz::MemoryFile& file = fuzz::MemoryFile::Instance();
    file.Fill(bytes.data(), bytes.size());

    PeakRequest request;
    request.file = file.path();
    request.columns = 1 + (shape & 0x3F);
    request.workers = 1 + ((shape >> 6) & 1);
    request.duration = ((shape >> 7) & 0x1FF) / 100.0; // 0: the decoder's own estimate
    std::vector<bool> seen(static_cast<std::size_t>(request.columns), false);
    const std::atomic<bool> stop{false};
    ComputePeaks(request, stop, [&](int column, PeakPair peak) {
        FUZZ_CHECK(column >= 0 && column < request.columns);
        FUZZ_CHECK(!seen[static_cast<std::size_t>(column)]);
        seen[static_cast<std::size_t>(column)] = true;
        FUZZ_CHECK(peak.low >= -1.0f && peak.low <= peak.high && peak.high <= 1.0f);
    });
    return 0;
}
