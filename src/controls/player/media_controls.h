// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trimvox {

class MediaSession;

// The player's "controls": play, pause, stop and the playing position, in seconds.
class MediaControls {
public:
    explicit MediaControls(MediaSession& session) : session_(session) {}

    // Plays the open media: on from a pause, else from the start (or from a position set while stopped).
    // Does nothing without media.
    void play();
    // Halts playback at the current position; does nothing unless the media plays.
    void pause();
    // Ends playback; the position goes back to the start.
    void stop();

    double currentPosition() const;
    void setCurrentPosition(double seconds);

private:
    MediaSession& session_;
};

} // namespace trimvox
