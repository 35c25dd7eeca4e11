// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace trimvox {

// What a stream that starts with a Xing, Info or VBRI header frame holds after that frame, for the header to
// say so.
struct InfoFrameCounts {
    std::uint32_t frames = 0;            // audio frames after the header frame
    std::uint32_t totalBytes = 0;        // the header frame and those frames
    std::array<std::uint8_t, 100> toc{}; // where the audio is at each percent of its frames (Xing)
    bool keepsEncoderEnd = false; // the stream still ends where the encoder ended it (its padding holds)
};

// The frame count a header frame (Xing, Info or VBRI; `frame` starts at its frame header) gives; nothing
// when it is no such frame or gives none.
std::optional<std::uint32_t> InfoFrameFrameCount(const std::uint8_t* frame, std::size_t size);

// Rewrites, in place, a Xing, Info or VBRI header frame for the stream it now heads: the frame and byte
// counts where it has them, a Xing table of contents rebuilt from `counts`, a VBRI table dropped (no
// entries), and in a LAME extension the music length, the encoder's padding (0 unless the stream keeps the
// encoder's end) and the tag's CRC. The frame keeps its length; nothing else changes. False, with nothing
// changed, when it is no such frame.
bool CorrectInfoFrame(std::uint8_t* frame, std::size_t size, const InfoFrameCounts& counts);

} // namespace trimvox
