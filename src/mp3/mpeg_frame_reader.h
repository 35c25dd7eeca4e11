// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace trimvox {

// One MPEG audio frame of a stream: where it lies and its header.
struct MpegFrame {
    std::int64_t offset = 0;  // zero-based byte offset of its header in the input
    std::int64_t size = 0;    // bytes, header included
    std::uint32_t header = 0; // the four header bytes, the first in the highest bits
};

// What the stream's first frame and its Xing/Info/LAME header say.
struct MpegStreamFormat {
    int version = 0;         // 10 for MPEG-1, 20 for MPEG-2, 25 for MPEG-2.5
    int layer = 0;           // 1, 2 or 3
    long sampleRate = 0;     // Hz
    int samplesPerFrame = 0; // per channel
    int encoderDelay = 0;    // samples the encoder put before the audio (from a LAME header; else 0)
    int encoderPadding = 0;  // samples after it (likewise)
};

// Finds the MPEG audio frames (MPEG-1, 2 and 2.5, layers I to III) of a file or of bytes in memory, one
// after the other, with libmpg123's frame-by-frame reading: its resync logic skips ID3v2 tags, junk
// and false sync words, and stops before an ID3v1 tag. Nothing is decoded. Memory use is bounded
// whatever the length of the input.
class MpegFrameReader {
public:
    // A Xing, Info or VBRI header frame at the start holds no audio: it is skipped unless told otherwise.
    enum class InfoFrame { Skip, Keep };

    // Reads the regular file `fd` of `length` bytes from its first byte; the descriptor's own position is
    // left alone and it stays open. Null when libmpg123 cannot be set up.
    static std::unique_ptr<MpegFrameReader> OverFile(int fd, std::int64_t length, InfoFrame info);
    // Reads `size` bytes at `data`, which must outlive the reader.
    static std::unique_ptr<MpegFrameReader> OverMemory(const std::uint8_t* data, std::size_t size,
                                                       InfoFrame info);

    ~MpegFrameReader();
    MpegFrameReader(const MpegFrameReader&) = delete;
    MpegFrameReader& operator=(const MpegFrameReader&) = delete;

    // The next frame; nothing at the end of the stream or on an error (see error()).
    std::optional<MpegFrame> Next();
    // The bytes after the header of the frame that Next() returned last (a CRC, then the side information
    // and main data of layer III), valid until the next call of Next().
    const std::uint8_t* body() const { return body_; }
    std::size_t bodySize() const { return bodySize_; }
    // Meaningful once the first frame was read.
    const MpegStreamFormat& format() const { return format_; }
    // Why reading stopped early (libmpg123's message, or the input's); empty at the regular end.
    const std::string& error() const { return error_; }

    struct Input;

private:
    MpegFrameReader();
    bool Open(InfoFrame info);
    std::optional<MpegFrame> ReadFrame();

    std::unique_ptr<Input> input_;
    struct State;
    std::unique_ptr<State> state_;
    MpegStreamFormat format_;
    std::string error_;
    bool first_ = true;
    const std::uint8_t* body_ = nullptr;
    std::size_t bodySize_ = 0;
    InfoFrame info_ = InfoFrame::Skip;
};

} // namespace trimvox
