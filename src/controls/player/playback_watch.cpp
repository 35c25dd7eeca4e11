// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/playback_watch.h"

#include <cmath>

namespace trimvox {

void PlaybackWatch::start(double position, std::int64_t now) {
    running_ = true;
    anchorPosition_ = position;
    anchorTime_ = now;
}

void PlaybackWatch::observe(double position, std::int64_t now) {
    if (!running_ || std::abs(position - anchorPosition_) < 0.0005) {
        return;
    }
    anchorPosition_ = position;
    anchorTime_ = now;
}

double PlaybackWatch::expected(std::int64_t now) const {
    if (!running_) {
        return anchorPosition_;
    }
    return anchorPosition_ + static_cast<double>(now - anchorTime_) / 1000.0;
}

bool PlaybackWatch::isEarlyEnd(double duration, std::int64_t now) const {
    return running_ && duration - expected(now) > kEarlyEndSeconds;
}

bool PlaybackWatch::isStalled(std::int64_t now) const {
    return running_ && now - anchorTime_ >= kStallMs;
}

} // namespace trimvox
