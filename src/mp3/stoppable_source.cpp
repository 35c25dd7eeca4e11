// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/stoppable_source.h"

#include <cstdio>

namespace trimvox {

mpg123_ssize_t StoppableSource::Read(void* source, void* buffer, std::size_t bytes) {
    auto* self = static_cast<StoppableSource*>(source);
    if (self->stop_.load(std::memory_order_relaxed)) {
        return -1;
    }
    self->in_.read(static_cast<char*>(buffer), static_cast<std::streamsize>(bytes));
    const std::streamsize count = self->in_.gcount();
    if (count == 0 && self->in_.bad()) {
        return -1;
    }
    self->in_.clear(); // the end of the file is no error
    return static_cast<mpg123_ssize_t>(count);
}

off_t StoppableSource::Seek(void* source, off_t offset, int whence) {
    auto* self = static_cast<StoppableSource*>(source);
    const std::ios::seekdir direction = whence == SEEK_SET   ? std::ios::beg
                                        : whence == SEEK_CUR ? std::ios::cur
                                                             : std::ios::end;
    self->in_.clear();
    self->in_.seekg(offset, direction);
    return self->in_.fail() ? -1 : static_cast<off_t>(self->in_.tellg());
}

} // namespace trimvox
