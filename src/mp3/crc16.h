// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace trimvox {

// The CRC-16 that guards a LAME tag: reflected polynomial 0xA001, starting at 0, over `size` bytes.
std::uint16_t LameTagCrc(const std::uint8_t* data, std::size_t size);

// The CRC-16 of a protected MPEG audio frame (polynomial 0x8005, starting at 0xFFFF) over the header's last
// two bytes and the `checkedLength` bytes after the CRC field (a layer III frame's side information).
// `frame` starts at the frame header.
std::uint16_t MpegFrameCrc(const std::uint8_t* frame, std::size_t checkedLength);

} // namespace trimvox
