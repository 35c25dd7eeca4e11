// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/edge_preview.h"

#include "controls/player/media_player.h"
#include "controls/player/play_state.h"

#include <algorithm>

namespace trimvox {

namespace {
constexpr int kCheckMs = 10;
// How long past the stretch's own length the player may take to start before the watch gives up.
constexpr qint64 kStartSlackMs = 5000;
constexpr double kSeekTolerance = 0.25; // seconds
} // namespace

EdgePreview::EdgePreview(MediaPlayer& player, QObject* parent) : QObject(parent), player_(player) {
    timer_.setInterval(kCheckMs);
    connect(&timer_, &QTimer::timeout, this, &EdgePreview::check);
}

void EdgePreview::play(double from, double to) {
    timer_.stop();
    const double duration = player_.currentMedia().duration();
    from = std::clamp(from, 0.0, duration);
    to = std::clamp(to, 0.0, duration);
    if (!(to > from)) {
        return;
    }
    url_ = player_.URL();
    from_ = from;
    to_ = to;
    started_ = false;
    inside_ = false;
    limitMs_ = static_cast<qint64>((to - from) * 1000.0) + kStartSlackMs;
    player_.controls().setCurrentPosition(from);
    player_.controls().play();
    clock_.start();
    timer_.start();
}

void EdgePreview::check() {
    if (player_.URL() != url_ || clock_.elapsed() > limitMs_) {
        timer_.stop();
        return;
    }
    const int state = player_.playState();
    if (state != PlayStatePlaying) {
        // Buffering or opening on the way; a pause or stop after playback began was the user's.
        if (started_ &&
            (state == PlayStatePaused || state == PlayStateStopped || state == PlayStateUndefined)) {
            timer_.stop();
        }
        return;
    }
    started_ = true;
    // Until the seek has taken effect the player may still report where it was.
    const double position = player_.controls().currentPosition();
    inside_ = inside_ || (position >= from_ - kSeekTolerance && position < to_);
    if (inside_ && position >= to_) {
        timer_.stop();
        player_.controls().pause();
    }
}

} // namespace trimvox
