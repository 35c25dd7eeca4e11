// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace trimvox {

// The path that the save command writes for the path chosen in the save dialog: ".mp3" is added unless
// the text after the last dot is exactly "mp3" (case matters: "song.MP3" becomes "song.MP3.mp3").
QString SavedPath(const QString& chosen);

} // namespace trimvox
