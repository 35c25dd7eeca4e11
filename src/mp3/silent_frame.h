// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace trimvox {

// A layer III frame that decodes as silence (all side information zero: no bits of audio data, and its
// own audio data starts in its own main-data area) and whose main-data area ends with `reservoir`, for
// the frame after it to reach back to. It has the kind, channel mode and CRC protection of `like`, no
// padding, and `like`'s bit rate when its main-data area holds the bytes, else the lowest bit rate whose
// area does. Empty when `like` is not layer III or no bit rate holds them.
std::vector<std::uint8_t> BuildSilentFrame(std::uint32_t like, const std::uint8_t* reservoir,
                                           std::size_t size);

// Makes the whole layer III frame at `frame` decode as silence, in place: its side information is zeroed
// (its CRC recomputed when it has one); its main-data area stays, as the frames after it may take their
// audio data from it. False when `frame` is not such a frame.
bool SilenceFrame(std::uint8_t* frame, std::size_t size);

} // namespace trimvox
