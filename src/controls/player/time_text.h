// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trimvox {

// A time for the player's display: "mm:ss", or "h:mm:ss" from one hour on; seconds are cut, not rounded, so
// the display never runs ahead of the sound. Negative and invalid times show as "00:00".
QString TimeText(double seconds);

} // namespace trimvox
