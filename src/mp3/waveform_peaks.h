// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <filesystem>
#include <functional>

namespace trimvox {

// The lowest and the highest sample of one pixel column of a waveform, from -1 to 1 (over all channels).
struct PeakPair {
    float low = 0.0f;
    float high = 0.0f;
};

// What to compute: the playing time `duration` (seconds; 0 or less takes the decoder's own estimate) in
// `columns` equal slices, decoded by `workers` threads side by side, each from its own part of the file
// (a thread finds the start of its part by reading the frames before it, without decoding them).
// `onThreadStart`, when given, runs first on every thread that decodes (the calling one too).
struct PeakRequest {
    std::filesystem::path file;
    int columns = 0;
    double duration = 0.0;
    int workers = 1;
    std::function<void()> onThreadStart = nullptr;
};

// Receives each finished column once. Calls come from the decoding threads, one at a time; the parts that
// the workers decode side by side arrive interleaved, each part from left to right.
using PeakSink = std::function<void(int column, PeakPair peak)>;

// Decodes the MP3 file with libmpg123 and reports the min/max pair of each column as soon as the decoder has
// passed it; only these pairs are kept. Samples beyond the duration count for the last column. Returns
// when done, or within one MP3 frame (or one read of the file) after `stop` turns true. True when some audio
// was decoded and the work was not stopped; false for a file that does not decode (nothing is reported then)
// or when stopped.
bool ComputePeaks(const PeakRequest& request, const std::atomic<bool>& stop, const PeakSink& sink);

} // namespace trimvox
