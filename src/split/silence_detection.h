// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mp3/waveform_peaks.h"
#include "split/silence_split.h"

#include <atomic>
#include <filesystem>
#include <optional>

namespace trimvox {

// Decodes the MP3 file once and finds its silences and the pieces they give. Nothing when the file does
// not decode or `stop` turned true.
std::optional<SilenceReport> DetectSilence(const std::filesystem::path& file, const SilenceOptions& options,
                                           const std::atomic<bool>& stop);

// The same, and from the same decoding pass the waveform's `columns` over `duration` seconds (0 or less:
// the decoder's length), reported to `peaks` as ComputePeaks does from one thread.
std::optional<SilenceReport> DetectSilenceWithPeaks(const std::filesystem::path& file,
                                                    const SilenceOptions& options, int columns,
                                                    double duration, const PeakSink& peaks,
                                                    const std::atomic<bool>& stop);

} // namespace trimvox
