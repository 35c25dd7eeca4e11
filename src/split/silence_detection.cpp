// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/silence_detection.h"

#include "split/column_peaks_sink.h"
#include "split/decode_pass.h"

#include <vector>

namespace trimvox {

namespace {

std::optional<SilenceReport> Detect(const std::filesystem::path& file, const SilenceOptions& options,
                                    DecodedBlockSink* alongside, const std::atomic<bool>& stop) {
    SilenceDetector detector(options.thresholdDb, options.minSilenceSeconds);
    std::vector<DecodedBlockSink*> sinks{&detector};
    if (alongside != nullptr) {
        sinks.push_back(alongside);
    }
    const DecodePassResult pass = DecodeToSinks(file, sinks, stop);
    if (!pass.decoded) {
        return std::nullopt;
    }
    return PiecesFromSilences(detector.silences(), detector.rate(), detector.totalSamples(), options);
}

} // namespace

std::optional<SilenceReport> DetectSilence(const std::filesystem::path& file, const SilenceOptions& options,
                                           const std::atomic<bool>& stop) {
    return Detect(file, options, nullptr, stop);
}

std::optional<SilenceReport> DetectSilenceWithPeaks(const std::filesystem::path& file,
                                                    const SilenceOptions& options, int columns,
                                                    double duration, const PeakSink& peaks,
                                                    const std::atomic<bool>& stop) {
    ColumnPeaksSink columnPeaks(columns, duration, peaks);
    return Detect(file, options, &columnPeaks, stop);
}

} // namespace trimvox
