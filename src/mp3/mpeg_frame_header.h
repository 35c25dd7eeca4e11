// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace trimvox {

// What an MPEG audio frame header says about its frame.
struct FrameHeader {
    int version = 0;     // 10 for MPEG-1, 20 for MPEG-2, 25 for MPEG-2.5
    int layer = 0;       // 1, 2 or 3
    int sampleRate = 0;  // Hz
    int length = 0;      // bytes, header included
    int bitRateKbps = 0; // kbit/s
    bool mono = false;   // one channel
};

// Reads the four bytes at `data` as a frame header; nothing when they are not a valid one (no sync,
// reserved version or layer, free or bad bit rate, bad sample rate, reserved emphasis).
std::optional<FrameHeader> ParseFrameHeader(const std::uint8_t* data, std::size_t size);

// The same for a header held as a number, its first byte in the highest bits (as libmpg123 gives it).
std::optional<FrameHeader> ParseFrameHeader(std::uint32_t header);

// The bit rate in kbit/s of the bit-rate index `index` (1 to 14) for frames of this version and layer;
// 0 for another index.
int BitRateOfIndex(int version, int layer, int index);

// The bytes of side information after the header (and its CRC) of a layer III frame of this kind.
int SideInfoLength(int version, bool mono);

} // namespace trimvox
