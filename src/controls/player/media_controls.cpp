// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/media_controls.h"

#include "controls/player/media_session.h"

namespace trimvox {

void MediaControls::play() {
    session_.play();
}
void MediaControls::pause() {
    session_.pause();
}
void MediaControls::stop() {
    session_.stop();
}
double MediaControls::currentPosition() const {
    return session_.currentPosition();
}
void MediaControls::setCurrentPosition(double seconds) {
    session_.setCurrentPosition(seconds);
}

} // namespace trimvox
