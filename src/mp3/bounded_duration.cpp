// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/bounded_duration.h"

#include "mp3/mpg123_handle.h"
#include "platform/fs/span_io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

namespace trimvox {

namespace {

constexpr std::int64_t kBlock = 64 << 10;

// The part of the file that the decoder sees: from audioStart to the end, read through one block of
// memory (the decoder reads a byte at a time while it looks for a frame), with a budget of bytes to read.
struct BoundedView {
    int fd;
    std::int64_t start;
    std::int64_t size; // of the view
    std::int64_t position = 0;
    std::int64_t budget = kDurationReadLimit;
    std::vector<unsigned char> block = std::vector<unsigned char>(kBlock);
    std::int64_t blockAt = 0; // the view's position of block[0]
    std::int64_t blockBytes = 0;

    // Fills the block from the current position; false at the end, past the budget or on a read error.
    bool Fill() {
        const std::int64_t want = std::min({kBlock, budget, size - position});
        if (want <= 0) {
            return false;
        }
        const std::int64_t got = ReadSpan(fd, block.data(), static_cast<std::size_t>(want), start + position);
        if (got <= 0) {
            return false;
        }
        blockAt = position;
        blockBytes = got;
        budget -= got;
        return true;
    }
};

mpg123_ssize_t ReadView(void* handle, void* buffer, size_t count) {
    auto& view = *static_cast<BoundedView*>(handle);
    const bool inBlock = view.position >= view.blockAt && view.position < view.blockAt + view.blockBytes;
    if (!inBlock && !view.Fill()) {
        return 0; // past the end or past the budget: the decoder sees the end of the file
    }
    const std::int64_t from = view.position - view.blockAt;
    const std::int64_t n = std::min(static_cast<std::int64_t>(count), view.blockBytes - from);
    std::memcpy(buffer, view.block.data() + from, static_cast<size_t>(n));
    view.position += n;
    return static_cast<mpg123_ssize_t>(n);
}

off_t SeekView(void* handle, off_t offset, int whence) {
    auto& view = *static_cast<BoundedView*>(handle);
    const std::int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? view.position : view.size;
    const std::int64_t target = base + offset;
    if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END) {
        return -1;
    }
    if (target < 0) {
        errno = EINVAL;
        return -1;
    }
    view.position = target;
    return static_cast<off_t>(target);
}

bool ReadsAFrame(mpg123_handle* handle) {
    const int result = mpg123_framebyframe_next(handle);
    return result == MPG123_OK || result == MPG123_NEW_FORMAT;
}

} // namespace

std::optional<double> EstimateDuration(int fd, std::int64_t audioStart, std::int64_t fileSize) {
    if (audioStart < 0 || audioStart >= fileSize) {
        return std::nullopt;
    }
    Mpg123Handle handle = NewMpg123Handle();
    if (!handle) {
        return std::nullopt;
    }
    BoundedView view{fd, audioStart, fileSize - audioStart};
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_SKIP_ID3V2, 0.0);
    // What a gapless player (GStreamer) plays: the frames less the encoder's delay and padding that a LAME
    // tag gives; a precise cut's tag leaves out the frames that only prime the decoder.
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_GAPLESS, 0.0);
    if (mpg123_replace_reader_handle(handle.get(), ReadView, SeekView, nullptr) != MPG123_OK ||
        mpg123_open_handle(handle.get(), &view) != MPG123_OK) {
        return std::nullopt;
    }
    long rate = 0;
    int channels = 0, encoding = 0;
    // A first frame that the next one follows, as a player needs: junk, text or a lone header is no audio.
    const bool frames = ReadsAFrame(handle.get()) && ReadsAFrame(handle.get()) &&
                        mpg123_getformat(handle.get(), &rate, &channels, &encoding) == MPG123_OK && rate > 0;
    const off_t samples = frames ? mpg123_length(handle.get()) : off_t{-1};
    mpg123_close(handle.get());
    if (samples <= 0) {
        return std::nullopt;
    }
    return static_cast<double>(samples) / static_cast<double>(rate);
}

} // namespace trimvox
