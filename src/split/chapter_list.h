// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "split/list_text.h"

#include <string_view>

namespace trimvox {

// Reads a chapter list as video sites print them: "[h:]mm:ss Title" per line ("0:00 Intro",
// "1:02:03.5 - Finale"; the time may stand in brackets or parentheses, and a "-", "–", "—", "|" or ":"
// between time and title is dropped). Each chapter runs to the next one's time, the last to the end of the
// source; the audio before the first chapter is in no piece. Empty lines are read over; a line that does
// not start with such a time, or a time not after the one before, gives an error with the line's number.
ImportResult ReadChapterList(std::string_view bytes, long rate, std::int64_t totalSamples);

} // namespace trimvox
