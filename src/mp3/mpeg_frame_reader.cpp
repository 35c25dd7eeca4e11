// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/mpeg_frame_reader.h"

#include "mp3/id3v2_tag.h"
#include "mp3/mpeg_frame_header.h"
#include "mp3/mpg123_handle.h"
#include "platform/fs/span_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace trimvox {

// The bytes libmpg123 reads: a file through one fixed buffer, or memory.
struct MpegFrameReader::Input {
    static constexpr std::size_t kBufferSize = 64 << 10;
    // The most bytes looked through for the next frame: past them the stream has ended.
    static constexpr std::int64_t kSearchLimit = std::int64_t{64} << 20;

    int fd = -1;
    const std::uint8_t* data = nullptr; // the whole input when it is in memory
    std::int64_t length = 0;
    std::int64_t position = 0;
    std::vector<std::uint8_t> buffer; // the file's bytes from bufferStart on
    std::int64_t bufferStart = 0;
    std::int64_t searchFrom = 0; // the end of the last frame found (or of the leading tag)
    std::string error;

    // Copies up to `size` bytes from the position on, but none further than kSearchLimit past the last
    // frame found: a source of gigabytes without frames ends there rather than being read through. The
    // file's tail, where libmpg123 looks for an ID3v1 tag, is always there. -1 on a read error.
    ssize_t Read(std::uint8_t* out, std::size_t size) {
        constexpr std::int64_t kTail = 128;
        const std::int64_t end =
            position >= length - kTail ? length : std::min(length, searchFrom + kSearchLimit);
        const std::int64_t want = std::min<std::int64_t>(static_cast<std::int64_t>(size), end - position);
        if (want <= 0) {
            return 0;
        }
        if (data != nullptr) {
            std::memcpy(out, data + position, static_cast<std::size_t>(want));
            position += want;
            return static_cast<ssize_t>(want);
        }
        std::int64_t done = 0;
        while (done < want) {
            const std::int64_t inBuffer = static_cast<std::int64_t>(buffer.size());
            if (position < bufferStart || position >= bufferStart + inBuffer) {
                if (!Fill()) {
                    return done > 0 ? static_cast<ssize_t>(done) : -1;
                }
                if (buffer.empty()) {
                    break; // the file is shorter than it was
                }
                continue;
            }
            const std::int64_t from = position - bufferStart;
            const std::int64_t step = std::min(want - done, inBuffer - from);
            std::memcpy(out + done, buffer.data() + from, static_cast<std::size_t>(step));
            done += step;
            position += step;
        }
        return static_cast<ssize_t>(done);
    }

    bool Fill() {
        buffer.resize(kBufferSize);
        const std::int64_t got = ReadSpan(fd, buffer.data(), kBufferSize, position);
        if (got < 0) {
            error = std::strerror(static_cast<int>(-got));
            buffer.clear();
            return false;
        }
        buffer.resize(static_cast<std::size_t>(got));
        bufferStart = position;
        return true;
    }

    off_t Seek(off_t offset, int whence) {
        const std::int64_t base = whence == SEEK_SET ? 0 : whence == SEEK_CUR ? position : length;
        const std::int64_t target = base + offset;
        if (target < 0) {
            return -1;
        }
        position = target;
        return static_cast<off_t>(position);
    }
};

struct MpegFrameReader::State {
    Mpg123Handle handle;
};

namespace {

ssize_t ReadInput(void* input, void* out, size_t size) {
    return static_cast<MpegFrameReader::Input*>(input)->Read(static_cast<std::uint8_t*>(out), size);
}

off_t SeekInput(void* input, off_t offset, int whence) {
    return static_cast<MpegFrameReader::Input*>(input)->Seek(offset, whence);
}

int VersionOf(mpg123_version version) {
    return version == MPG123_1_0 ? 10 : version == MPG123_2_0 ? 20 : 25;
}

// A Xing, Info or VBRI header where the audio of a layer III frame would start.
bool IsInfoFrame(const FrameHeader& header, const unsigned char* body, std::size_t size) {
    if (header.layer != 3) {
        return false;
    }
    const auto sideInfo = static_cast<std::size_t>(SideInfoLength(header.version, header.mono));
    const auto at = [&](std::size_t offset, const char* tag) {
        return offset + 4 <= size && std::memcmp(body + offset, tag, 4) == 0;
    };
    for (const std::size_t offset : {sideInfo, sideInfo + 2}) { // with and without a CRC
        if (at(offset, "Xing") || at(offset, "Info")) {
            return true;
        }
    }
    return at(32, "VBRI");
}

} // namespace

MpegFrameReader::MpegFrameReader() : input_(std::make_unique<Input>()), state_(std::make_unique<State>()) {}

MpegFrameReader::~MpegFrameReader() {
    if (state_->handle) {
        mpg123_close(state_->handle.get());
    }
}

std::unique_ptr<MpegFrameReader> MpegFrameReader::OverFile(int fd, std::int64_t length, InfoFrame info) {
    std::unique_ptr<MpegFrameReader> reader(new MpegFrameReader());
    reader->input_->fd = fd;
    reader->input_->length = std::max<std::int64_t>(length, 0);
    return reader->Open(info) ? std::move(reader) : nullptr;
}

std::unique_ptr<MpegFrameReader> MpegFrameReader::OverMemory(const std::uint8_t* data, std::size_t size,
                                                             InfoFrame info) {
    std::unique_ptr<MpegFrameReader> reader(new MpegFrameReader());
    reader->input_->data = data;
    reader->input_->length = data == nullptr ? 0 : static_cast<std::int64_t>(size);
    return reader->Open(info) ? std::move(reader) : nullptr;
}

bool MpegFrameReader::Open(InfoFrame info) {
    info_ = info;
    // The search for the first frame starts after a leading ID3v2 tag, whatever its size.
    std::uint8_t head[10] = {};
    const ssize_t headBytes = input_->Read(head, sizeof head);
    input_->position = 0;
    input_->searchFrom = Id3v2TagLength(head, headBytes > 0 ? static_cast<std::size_t>(headBytes) : 0);
    state_->handle = NewMpg123Handle();
    mpg123_handle* mh = state_->handle.get();
    if (mh == nullptr) {
        return false;
    }
    // Junk of any length between frames is skipped rather than ending the stream early.
    mpg123_param(mh, MPG123_RESYNC_LIMIT, -1, 0.0);
    // Every frame, also those that lie wholly in the encoder's delay (which gapless decoding leaves out).
    mpg123_param(mh, MPG123_REMOVE_FLAGS, MPG123_GAPLESS, 0.0);
    if (info == InfoFrame::Keep) {
        mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_IGNORE_INFOFRAME, 0.0);
    }
    if (mpg123_replace_reader_handle(mh, ReadInput, SeekInput, nullptr) != MPG123_OK ||
        mpg123_open_handle(mh, input_.get()) != MPG123_OK) {
        state_->handle.reset();
        return false;
    }
    return true;
}

std::optional<MpegFrame> MpegFrameReader::ReadFrame() {
    mpg123_handle* mh = state_->handle.get();
    const int status = mpg123_framebyframe_next(mh);
    if (status != MPG123_OK && status != MPG123_NEW_FORMAT) {
        // A frame cut short by the end of the input (a truncated last frame, or a false sync word in a
        // tag at the end) ends the stream like the end itself.
        const bool shortAtEnd = input_->error.empty() && mpg123_errcode(mh) == MPG123_ERR_READER &&
                                input_->position >= input_->length;
        if (status != MPG123_DONE && !shortAtEnd) {
            error_ = !input_->error.empty() ? input_->error : mpg123_strerror(mh);
        }
        return std::nullopt;
    }
    unsigned long header = 0;
    unsigned char* body = nullptr;
    size_t bodySize = 0;
    if (mpg123_framedata(mh, &header, &body, &bodySize) != MPG123_OK) {
        error_ = mpg123_strerror(mh);
        return std::nullopt;
    }
    MpegFrame frame;
    frame.offset = static_cast<std::int64_t>(mpg123_framepos(mh));
    frame.size = 4 + static_cast<std::int64_t>(bodySize);
    frame.header = static_cast<std::uint32_t>(header);
    body_ = body;
    bodySize_ = bodySize;
    if (first_ && info_ == InfoFrame::Skip) {
        info_ = InfoFrame::Keep; // only the first frame can be one
        const auto parsed = ParseFrameHeader(frame.header);
        if (parsed && IsInfoFrame(*parsed, body, bodySize)) {
            return ReadFrame(); // a header libmpg123 does not take for one itself (VBRI)
        }
    }
    input_->searchFrom = std::max(input_->searchFrom, frame.offset + frame.size);
    if (first_) {
        first_ = false;
        mpg123_frameinfo info{};
        mpg123_info(mh, &info);
        format_.version = VersionOf(static_cast<mpg123_version>(info.version));
        format_.layer = info.layer;
        format_.sampleRate = info.rate;
        format_.samplesPerFrame = mpg123_spf(mh);
        long value = 0;
        double unused = 0;
        if (mpg123_getstate(mh, MPG123_ENC_DELAY, &value, &unused) == MPG123_OK && value > 0) {
            format_.encoderDelay = static_cast<int>(value);
        }
        value = 0;
        if (mpg123_getstate(mh, MPG123_ENC_PADDING, &value, &unused) == MPG123_OK && value > 0) {
            format_.encoderPadding = static_cast<int>(value);
        }
    }
    return frame;
}

std::optional<MpegFrame> MpegFrameReader::Next() {
    if (!state_->handle || !error_.empty()) {
        return std::nullopt;
    }
    return ReadFrame();
}

} // namespace trimvox
