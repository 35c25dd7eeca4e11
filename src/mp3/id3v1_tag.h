// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace trimvox {

// The length of an ID3v1 tag: 128 bytes starting with "TAG" at the very end of a file.
inline constexpr std::int64_t kId3v1Length = 128;

// Whether the last 128 bytes of a file, at `tail`, are an ID3v1 tag.
bool IsId3v1Tag(const std::uint8_t* tail, std::size_t size);

} // namespace trimvox
