// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/id3v2_tag.h"

#include <unistd.h>

namespace trimvox {

std::int64_t Id3v2TagLength(const std::uint8_t* head, std::size_t size) {
    if (size < 10 || head[0] != 'I' || head[1] != 'D' || head[2] != '3' || head[3] == 0xFF ||
        head[4] == 0xFF) {
        return 0;
    }
    std::int64_t length = 0;
    for (int i = 6; i < 10; ++i) {
        if ((head[i] & 0x80) != 0) {
            return 0; // not a syncsafe number: not a tag
        }
        length = (length << 7) | head[i];
    }
    const bool footer = (head[5] & 0x10) != 0;
    return 10 + length + (footer ? 10 : 0);
}

std::int64_t LeadingTagSize(int fd, std::int64_t fileSize) {
    std::uint8_t header[10] = {};
    if (::pread(fd, header, sizeof header, 0) != static_cast<ssize_t>(sizeof header)) {
        return 0;
    }
    const std::int64_t total = Id3v2TagLength(header, sizeof header);
    return total <= fileSize ? total : 0;
}

} // namespace trimvox
