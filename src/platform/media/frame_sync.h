#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace trimvox {

// What an MPEG audio frame header says about its frame.
struct FrameHeader {
    int version = 0;    // 10 for MPEG-1, 20 for MPEG-2, 25 for MPEG-2.5
    int layer = 0;      // 1, 2 or 3
    int sampleRate = 0; // Hz
    int length = 0;     // bytes, header included
};

// Reads the four bytes at `data` as a frame header; nothing when they are not a valid one (no sync,
// reserved version or layer, free or bad bit rate, bad sample rate, reserved emphasis).
std::optional<FrameHeader> ParseFrameHeader(const std::uint8_t* data, std::size_t size);

// Where the audio of an MP3 file really starts. A file cut out of another at any byte (the preview) may
// begin inside a frame, and those leftover bytes can hold a false frame header that makes the decoder
// take the stream for something else and stop at once. This finds the first header that is followed by
// further frames of the same kind, one after the other. Returns 0 for a file that starts with an ID3 tag
// or with such a frame, and when no run of frames is found at all (the file is then played as it is).
std::size_t FindAudioStart(const std::uint8_t* data, std::size_t size);

} // namespace trimvox
