// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace trimvox {

// The most of a leading tag that ReadTagTitle reads; a larger tag gives no title.
inline constexpr std::int64_t kTitleTagLimit = std::int64_t{16} << 20;

// The title (UTF-8, blanks trimmed) of the tags of the open file `fd`: its leading ID3v2 tag of
// `leadingTag` bytes, else the tags at its end (APE, ID3v1). Reads only the tags' own bytes (the leading
// tag, the last 16 KiB), never the audio between them; empty when there is no title.
std::string ReadTagTitle(int fd, std::int64_t fileSize, std::int64_t leadingTag);

} // namespace trimvox
