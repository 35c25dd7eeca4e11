// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/frame_sync.h"

#include "mp3/mpeg_frame_reader.h"

namespace trimvox {

std::size_t FindAudioStart(const std::uint8_t* data, std::size_t size) {
    if (size >= 3 && data[0] == 'I' && data[1] == 'D' && data[2] == '3') {
        return 0;
    }
    // An Info frame at the start is a frame like any other here: the file is played from it.
    const auto reader = MpegFrameReader::OverMemory(data, size, MpegFrameReader::InfoFrame::Keep);
    if (!reader) {
        return 0;
    }
    const auto first = reader->Next();
    return first ? static_cast<std::size_t>(first->offset) : 0;
}

} // namespace trimvox
