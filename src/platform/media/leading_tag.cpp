#include "platform/media/leading_tag.h"

#include <unistd.h>

namespace trimvox {

std::int64_t LeadingTagSize(int fd, std::int64_t fileSize) {
    unsigned char header[10] = {};
    if (::pread(fd, header, sizeof header, 0) != static_cast<ssize_t>(sizeof header) || header[0] != 'I' ||
        header[1] != 'D' || header[2] != '3') {
        return 0;
    }
    std::int64_t size = 0;
    for (int i = 6; i < 10; ++i) {
        if ((header[i] & 0x80) != 0) {
            return 0; // not a synchsafe size: not a tag
        }
        size = (size << 7) | header[i];
    }
    const bool footer = (header[5] & 0x10) != 0;
    const std::int64_t total = 10 + size + (footer ? 10 : 0);
    return total <= fileSize ? total : 0;
}

} // namespace trimvox
