// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace trimvox {

// The samples a layer III decoder puts out before the first sample of the encoded audio; gapless decoders
// (libmpg123, FFmpeg, GStreamer, Rockbox) drop them with the encoder's delay.
constexpr int kDecoderDelay = 529;

// A layer III stream's gapless time line: the samples that a gapless decoder plays. With a LAME tag these
// are the raw decoded samples from the encoder's delay plus the decoder's delay on, up to the tag's frames
// less its padding (plus the decoder's delay); without one, every raw decoded sample. "Raw" counts the
// samples the decoder puts out for each frame, samplesPerFrame of them, frame after frame.
struct GaplessTimeline {
    long sampleRate = 0;
    int samplesPerFrame = 0;
    int version = 10;                     // 10, 20 or 25 (see FrameHeader)
    std::int64_t rawOffset = 0;           // raw samples before the time line's first sample
    std::optional<std::int64_t> rawLimit; // raw samples up to the end of the time line, from the tag

    // A source with a LAME tag's delay and padding, and its frame count when the tag has one.
    static GaplessTimeline WithTag(long sampleRate, int samplesPerFrame, int version, int delay, int padding,
                                   std::optional<std::int64_t> frames);
    // A source without one.
    static GaplessTimeline Raw(long sampleRate, int samplesPerFrame, int version);

    // The time line's sample at `seconds` (rounded to the nearest).
    std::int64_t SampleAt(double seconds) const;
    // The raw samples up to the time line's end when the stream holds `frames` whole frames.
    std::int64_t RawEnd(std::int64_t frames) const;
    // The frames before a cut's first wanted frame that a decoder needs to put that frame out exactly as in
    // the source: two granules (one frame of MPEG-1, two of MPEG-2 and 2.5), for the overlap of the
    // transform and the synthesis filter.
    int PrimingFrames() const { return version == 10 ? 1 : 2; }
};

// The frames of a cut of the raw samples [rawStart, rawEnd) and what its LAME tag says.
class CutPlan {
public:
    CutPlan(const GaplessTimeline& timeline, std::int64_t rawStart, std::int64_t rawEnd);

    // The source's frames the cut keeps: from firstFrame() up to, not including, endFrame().
    std::int64_t firstFrame() const { return firstFrame_; }
    std::int64_t endFrame() const { return endFrame_; }
    // Whether one silent frame comes before the kept frames (carrying the audio data that the first kept
    // frame takes from the frames before it, and keeping the delay from falling below 0).
    bool silentLead() const { return silentLead_; }
    // The cut's encoder delay: the samples its decoder drops after its own decoder delay.
    int Delay() const;
    // The cut's padding when it holds `keptFrames` of the source's frames (fewer than asked when the
    // stream ended sooner): its last sample is then the last the source's frames give up to rawEnd.
    int Padding(std::int64_t keptFrames) const;

private:
    int samplesPerFrame_ = 0;
    std::int64_t rawStart_ = 0;
    std::int64_t rawEnd_ = 0;
    std::int64_t firstFrame_ = 0;
    std::int64_t endFrame_ = 0;
    bool silentLead_ = false;
};

} // namespace trimvox
