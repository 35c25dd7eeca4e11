// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/play_state.h"

namespace trimvox {

int PlayStateOf(QMediaPlayer::PlaybackState state, QMediaPlayer::MediaStatus status, bool usable) {
    if (!usable || status == QMediaPlayer::NoMedia || status == QMediaPlayer::InvalidMedia) {
        return PlayStateUndefined;
    }
    if (status == QMediaPlayer::EndOfMedia) {
        return PlayStateStopped;
    }
    switch (state) {
    case QMediaPlayer::StoppedState:
        return PlayStateStopped;
    case QMediaPlayer::PausedState:
        return PlayStatePaused;
    case QMediaPlayer::PlayingState:
        break;
    }
    switch (status) {
    case QMediaPlayer::LoadingMedia:
    case QMediaPlayer::LoadedMedia:
        return PlayStateTransitioning;
    case QMediaPlayer::BufferingMedia:
    case QMediaPlayer::StalledMedia:
        return PlayStateBuffering;
    default:
        return PlayStatePlaying;
    }
}

} // namespace trimvox
