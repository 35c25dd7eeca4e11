// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/media_info.h"

#include "mp3/bounded_duration.h"
#include "mp3/id3v2_tag.h"
#include "mp3/tag_title.h"
#include "mp3/walked_duration.h"

#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trimvox {

namespace {

std::string Utf8(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

MediaInfo ReadMediaInfo(const std::filesystem::path& path) {
    MediaInfo info;
    if (path.empty()) {
        return info;
    }
    info.title = Utf8(path.stem());

    // Without blocking on a pipe or a device: only a regular file is read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return info;
    }
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        const std::int64_t size = status.st_size;
        const std::int64_t leadingTag = LeadingTagSize(fd, size);
        if (std::string title = ReadTagTitle(fd, size, leadingTag); !title.empty()) {
            info.title = std::move(title);
        }
        // What is read is bounded whatever the size: a header, the first frames and the file's size.
        if (auto seconds = EstimateDuration(fd, leadingTag, size); seconds && *seconds > 0) {
            info.playable = true;
            // Without a header that counts the frames the estimate assumes every frame is like the first:
            // a VBR stream's true length needs its frames.
            if (!HeaderCountsFrames(fd, size)) {
                if (size > kWalkAtOnceLimit) {
                    info.lengthEstimated = true;
                } else if (const auto walked = WalkedDuration(fd, size); walked && *walked > 0) {
                    seconds = walked;
                }
            }
            info.durationSeconds = std::round(*seconds * 1000.0) / 1000.0; // whole milliseconds
        }
    }
    ::close(fd);
    return info;
}

} // namespace trimvox
