// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trimvox {

// The player the segments window plays through (the main window's). Times in seconds of the file the
// window shows; a player that holds another file reports `available` false and ignores the calls.
class PlaybackPort {
public:
    virtual ~PlaybackPort() = default;
    virtual bool available() const = 0;
    virtual double position() const = 0;
    virtual bool playing() const = 0;
    virtual void seek(double seconds) = 0;
    virtual void play() = 0;
    virtual void pause() = 0;
    // Plays [from, to) and then pauses.
    virtual void playRange(double from, double to) = 0;
};

} // namespace trimvox
