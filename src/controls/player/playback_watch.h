// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace trimvox {

// Follows where playing media must be by the wall clock, to tell the backend's glitches from real events:
// an end of the media reported long before the media could have been played through, and playback that has
// stopped moving although it is said to be playing. Times are milliseconds of a steady clock, positions
// seconds.
class PlaybackWatch {
public:
    // An end reported this much (seconds) before the media's length, counted by the clock, is early.
    static constexpr double kEarlyEndSeconds = 0.5;
    // Playback whose position has not moved for this long (milliseconds) is stalled.
    static constexpr std::int64_t kStallMs = 2000;

    // Playback (re)starts at `position`.
    void start(double position, std::int64_t now);
    // Playback halts: paused, stopped, ended or closed.
    void halt() { running_ = false; }
    bool running() const { return running_; }

    // The backend reports a position.
    void observe(double position, std::int64_t now);

    // Where playback must be now: the last position that moved on, plus the time since.
    double expected(std::int64_t now) const;
    // The backend says the media ended, but by the clock it cannot have played through `duration` seconds.
    bool isEarlyEnd(double duration, std::int64_t now) const;
    // The position has not moved for kStallMs while playing.
    bool isStalled(std::int64_t now) const;

private:
    bool running_ = false;
    double anchorPosition_ = 0.0; // the last position seen to move
    std::int64_t anchorTime_ = 0; // when it was seen
};

} // namespace trimvox
