// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace trimvox {

// The length of an ID3v2 tag at the start of `head` ("ID3", version, flags, a four-byte syncsafe size),
// its ten-byte header and footer included; 0 when `head` does not start with one.
std::int64_t Id3v2TagLength(const std::uint8_t* head, std::size_t size);

// The size in bytes of the ID3v2 tag at the start of the open file `fd` (header, body and footer), read
// from its 10-byte header; 0 when the file does not start with one or the tag would not fit in `fileSize`.
std::int64_t LeadingTagSize(int fd, std::int64_t fileSize);

} // namespace trimvox
