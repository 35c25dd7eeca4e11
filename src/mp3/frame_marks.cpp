// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/frame_marks.h"

#include <algorithm>
#include <cmath>

namespace trimvox {

namespace {

// Marks beyond this many frames (years of audio) are taken as lying past any stream's end.
constexpr double kFrameLimit = 1e12;

} // namespace

namespace {

// The index whose time (by `time`, rising with the index) is nearest to `seconds`; `offset` is the
// samples by which the time lies before the boundary.
template <typename Time>
std::int64_t Nearest(const FrameClock& clock, double seconds, int offset, Time time) {
    const double frames = (seconds * static_cast<double>(clock.sampleRate) + clock.encoderDelay + offset) /
                          clock.samplesPerFrame;
    const auto before = static_cast<std::int64_t>(std::clamp(std::floor(frames), 0.0, kFrameLimit));
    std::int64_t nearest = seconds - time(before) <= time(before + 1) - seconds ? before : before + 1;
    // Frames that hold nothing but the encoder's delay all start at 0: the cut takes them.
    while (nearest > 0 && time(nearest - 1) == time(nearest)) {
        --nearest;
    }
    return nearest;
}

} // namespace

double FrameClock::StartTime(std::int64_t index) const {
    const double samples = static_cast<double>(index) * samplesPerFrame - encoderDelay;
    return std::max(0.0, samples / static_cast<double>(sampleRate));
}

double FrameClock::EndTime(std::int64_t index) const {
    const double samples = static_cast<double>(index) * samplesPerFrame - encoderDelay - decoderDelay;
    return std::max(0.0, samples / static_cast<double>(sampleRate));
}

std::int64_t FrameClock::NearestStart(double seconds) const {
    return Nearest(*this, seconds, 0, [this](std::int64_t index) { return StartTime(index); });
}

std::int64_t FrameClock::NearestEnd(double seconds) const {
    return Nearest(*this, seconds, decoderDelay, [this](std::int64_t index) { return EndTime(index); });
}

std::optional<FrameSpan> FramesForMarks(double startPos, double endPos, const FrameClock& clock) {
    if (!std::isfinite(startPos) || !std::isfinite(endPos) || startPos < 0.0 || endPos < startPos ||
        clock.sampleRate <= 0 || clock.samplesPerFrame <= 0) {
        return std::nullopt;
    }
    FrameSpan span;
    span.first = clock.NearestStart(startPos);
    span.end = std::max(clock.NearestEnd(endPos), span.first + 1);
    return span;
}

} // namespace trimvox
