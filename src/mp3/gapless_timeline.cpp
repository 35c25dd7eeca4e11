// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/gapless_timeline.h"

#include <algorithm>
#include <cmath>

namespace trimvox {

GaplessTimeline GaplessTimeline::WithTag(long sampleRate, int samplesPerFrame, int version, int delay,
                                         int padding, std::optional<std::int64_t> frames) {
    GaplessTimeline timeline = Raw(sampleRate, samplesPerFrame, version);
    timeline.rawOffset = delay + kDecoderDelay;
    if (frames) {
        timeline.rawLimit = *frames * samplesPerFrame - padding + kDecoderDelay;
    }
    return timeline;
}

GaplessTimeline GaplessTimeline::Raw(long sampleRate, int samplesPerFrame, int version) {
    GaplessTimeline timeline;
    timeline.sampleRate = sampleRate;
    timeline.samplesPerFrame = samplesPerFrame;
    timeline.version = version;
    return timeline;
}

std::int64_t GaplessTimeline::SampleAt(double seconds) const {
    return std::llround(seconds * static_cast<double>(sampleRate));
}

std::int64_t GaplessTimeline::RawEnd(std::int64_t frames) const {
    const std::int64_t decoded = frames * samplesPerFrame;
    return rawLimit ? std::min(*rawLimit, decoded) : decoded;
}

CutPlan::CutPlan(const GaplessTimeline& timeline, std::int64_t rawStart, std::int64_t rawEnd)
    : samplesPerFrame_(timeline.samplesPerFrame), rawStart_(rawStart), rawEnd_(rawEnd) {
    const std::int64_t spf = samplesPerFrame_;
    const std::int64_t startFrame = rawStart / spf;
    firstFrame_ = std::max<std::int64_t>(0, startFrame - timeline.PrimingFrames());
    endFrame_ = std::max(firstFrame_ + 1, (rawEnd - 1) / spf + 1);
    // Past the stream's first frame the kept frames need the audio data of the frames before them; at
    // the first frame a delay below 0 would be needed without a frame before it.
    silentLead_ = firstFrame_ > 0 || rawStart - firstFrame_ * spf < kDecoderDelay;
}

int CutPlan::Delay() const {
    const std::int64_t base = firstFrame_ - (silentLead_ ? 1 : 0);
    return static_cast<int>(rawStart_ - base * samplesPerFrame_ - kDecoderDelay);
}

int CutPlan::Padding(std::int64_t keptFrames) const {
    const std::int64_t frames = keptFrames + (silentLead_ ? 1 : 0);
    const std::int64_t base = firstFrame_ - (silentLead_ ? 1 : 0);
    const std::int64_t end =
        std::min(rawEnd_, (firstFrame_ + keptFrames) * samplesPerFrame_) - base * samplesPerFrame_;
    return static_cast<int>(std::max<std::int64_t>(0, frames * samplesPerFrame_ + kDecoderDelay - end));
}

} // namespace trimvox
