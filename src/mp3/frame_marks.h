// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace trimvox {

// The time line of an MPEG audio stream: every frame holds the same number of samples. The encoder's
// delay (from a LAME header) is the silence before the audio, which decoders leave out, so the audio's
// time 0 lies that many samples into the first frame. A cut that ends before the stream's end lacks the
// frame that completes the last `decoderDelay` samples of its last frame, so its sound ends that much
// before the frame boundary.
struct FrameClock {
    long sampleRate = 0;
    int samplesPerFrame = 0;
    int encoderDelay = 0;
    int decoderDelay = 0;

    // Where a cut that starts at frame `index` starts in the audio's time, in seconds (0 for the first).
    double StartTime(std::int64_t index) const;
    // Where a cut that ends before frame `index` ends in the audio's time, in seconds.
    double EndTime(std::int64_t index) const;
    // The frame a cut starts at, or ends before, to start or end nearest to `seconds` (the earlier one
    // of two equally near).
    std::int64_t NearestStart(double seconds) const;
    std::int64_t NearestEnd(double seconds) const;
};

// The frames a cut takes: from `first` up to, not including, `end`.
struct FrameSpan {
    std::int64_t first = 0;
    std::int64_t end = 0;
};

// Maps the marks (seconds) to the nearest frame boundaries; at least one frame. Nothing when a mark is
// not a finite number, the start is negative or the end lies before the start. The end may lie past the
// stream's last frame; the cutter stops there.
std::optional<FrameSpan> FramesForMarks(double startPos, double endPos, const FrameClock& clock);

} // namespace trimvox
