// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

// The layout of a Xing/Info header and of the LAME extension behind it, for the code that reads and
// writes them (the header frame of a cut, the corrected counts of a byte cut).
namespace trimvox::xing {

// The flags after the "Xing"/"Info" tag: which of the optional fields follow.
inline constexpr std::uint32_t kHasFrames = 1;
inline constexpr std::uint32_t kHasBytes = 2;
inline constexpr std::uint32_t kHasToc = 4;
inline constexpr std::uint32_t kHasQuality = 8;

inline constexpr std::size_t kFieldsLength =
    4 + 4 + 4 + 4 + 100 + 4; // tag, flags, frames, bytes, TOC, quality
inline constexpr std::size_t kLameLength = 36;

// Offsets inside the LAME extension.
inline constexpr std::size_t kLameReplayGain = 11; // 8 bytes: peak, radio and audiophile gain
inline constexpr std::size_t kLameDelayPadding = 21;
inline constexpr std::size_t kLameMusicLength = 28;
inline constexpr std::size_t kLameMusicCrc = 32;
inline constexpr std::size_t kLameTagCrc = 34;

inline std::uint32_t ReadBig32(const std::uint8_t* at) {
    return (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) | (std::uint32_t{at[2]} << 8) | at[3];
}

inline void WriteBig32(std::uint8_t* at, std::uint32_t value) {
    at[0] = static_cast<std::uint8_t>(value >> 24);
    at[1] = static_cast<std::uint8_t>(value >> 16);
    at[2] = static_cast<std::uint8_t>(value >> 8);
    at[3] = static_cast<std::uint8_t>(value);
}

} // namespace trimvox::xing
