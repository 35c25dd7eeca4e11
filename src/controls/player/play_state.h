// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMediaPlayer>

namespace trimvox {

// The player's play states, by the numbers the windows read from `playState`.
enum PlayState : int {
    PlayStateUndefined = 0, // nothing open, or media that cannot be played
    PlayStateStopped = 1,
    PlayStatePaused = 2,
    PlayStatePlaying = 3,
    PlayStateBuffering = 6,
    PlayStateTransitioning = 9, // opening the media before it plays
};

// The play state for the backend's playback state and media status. `usable` is false when nothing is open or
// the open media failed; a failed media's playback state cannot be trusted (it can stay "playing").
int PlayStateOf(QMediaPlayer::PlaybackState state, QMediaPlayer::MediaStatus status, bool usable);

} // namespace trimvox
