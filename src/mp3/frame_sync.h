// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mp3/mpeg_frame_header.h"

#include <cstddef>
#include <cstdint>

namespace trimvox {

// Where the audio of an MP3 file really starts. A file cut out of another at any byte (the preview) may
// begin inside a frame, and those leftover bytes can hold a false frame header that makes the decoder
// take the stream for something else and stop at once. This finds the first frame that libmpg123's
// frame search accepts (see MpegFrameReader). Returns 0 for a file that starts with an ID3 tag or with
// such a frame, and when no frame is found at all (the file is then played as it is).
std::size_t FindAudioStart(const std::uint8_t* data, std::size_t size);

} // namespace trimvox
