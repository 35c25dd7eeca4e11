// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/tag_title.h"

#include <algorithm>
#include <unistd.h>

#include <taglib/id3v2framefactory.h>
#include <taglib/mpegfile.h>
#include <taglib/tag.h>
#include <taglib/taglib.h>
#include <taglib/tbytevectorstream.h>

namespace trimvox {

namespace {

constexpr std::int64_t kHead = 4 << 10;  // after the leading tag: where a tag reader looks for more
constexpr std::int64_t kTail = 16 << 10; // the tags at the end

// Appends `count` bytes of the file from `offset`; false when they cannot be read.
bool Append(int fd, std::int64_t offset, std::int64_t count, TagLib::ByteVector& bytes) {
    const unsigned int at = bytes.size();
    bytes.resize(at + static_cast<unsigned int>(count));
    std::int64_t done = 0;
    while (done < count) {
        const ssize_t got = ::pread(fd, bytes.data() + at + done, static_cast<size_t>(count - done),
                                    static_cast<off_t>(offset + done));
        if (got <= 0) {
            return false;
        }
        done += got;
    }
    return true;
}

} // namespace

std::string ReadTagTitle(int fd, std::int64_t fileSize, std::int64_t leadingTag) {
    // The tags without the audio between them: what a tag reader reads of the file, in a few KiB.
    const std::int64_t head = std::min(fileSize, (leadingTag <= kTitleTagLimit ? leadingTag : 0) + kHead);
    const std::int64_t tail = std::min(fileSize - head, kTail);
    TagLib::ByteVector bytes;
    if (!Append(fd, 0, head, bytes) || !Append(fd, fileSize - tail, tail, bytes)) {
        return {};
    }
    try {
        TagLib::ByteVectorStream stream(bytes);
#if TAGLIB_MAJOR_VERSION >= 2
        TagLib::MPEG::File file(&stream, false);
#else
        TagLib::MPEG::File file(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
#endif
        const TagLib::Tag* tag = file.isValid() ? file.tag() : nullptr;
        return tag != nullptr ? tag->title().stripWhiteSpace().to8Bit(true) : std::string();
    } catch (...) {
        return {};
    }
}

} // namespace trimvox
