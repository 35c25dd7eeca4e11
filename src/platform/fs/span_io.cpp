// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fs/span_io.h"

#include <cerrno>
#include <unistd.h>

namespace trimvox {

std::int64_t ReadSpan(int fd, void* data, std::size_t size, std::int64_t offset) {
    auto* const bytes = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, bytes + done, size - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return -errno;
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return static_cast<std::int64_t>(done);
}

int WriteSpan(int fd, const void* data, std::size_t size, std::int64_t offset) {
    const auto* const bytes = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t written =
            offset < 0 ? ::write(fd, bytes + done, size - done)
                       : ::pwrite(fd, bytes + done, size - done, static_cast<off_t>(offset + done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return written < 0 ? errno : EIO;
        }
        done += static_cast<std::size_t>(written);
    }
    return 0;
}

} // namespace trimvox
