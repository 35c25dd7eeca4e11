#pragma once

#include <cstdint>

namespace trimvox {

// The size in bytes of the ID3v2 tag at the start of the open file `fd` (header, body and footer), read
// from its 10-byte header; 0 when the file does not start with one or the tag would not fit in `fileSize`.
std::int64_t LeadingTagSize(int fd, std::int64_t fileSize);

} // namespace trimvox
