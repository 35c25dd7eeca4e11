#include "cutting/precise_cutter.h"

#include "cutting/cut_output.h"
#include "cutting/cut_source.h"
#include "mp3/frame_marks.h"
#include "mp3/id3v1_tag.h"
#include "mp3/id3v2_tag.h"
#include "mp3/mpeg_frame_header.h"
#include "mp3/mpeg_frame_reader.h"
#include "mp3/seek_table.h"
#include "mp3/xing_frame.h"
#include "platform/fs/span_io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace trimvox {

namespace {

// The bytes between an ID3v2 tag and the first audio frame that are looked at for a LAME header.
constexpr std::int64_t kInfoFrameLimit = 4096;

// The samples a layer III decoder puts out before the first sample of the audio: the cut's last frame
// needs the frame after it for that many samples, so they are announced as padding.
constexpr int kDecoderDelay = 529;

// The header bits that must stay the same through a stream: version, layer and sample rate.
constexpr std::uint32_t kKindBits = 0x001E0C00;

// What lies around the frames of the source.
struct SourceLayout {
    std::int64_t id3v2Length = 0;      // the tag at the start, copied first
    bool id3v1 = false;                // a tag in the last 128 bytes, copied last
    std::optional<LameExtension> lame; // from the source's own Info frame
};

SourceLayout ReadLayout(const CutSource& source, const MpegFrame& first) {
    SourceLayout layout;
    const std::vector<std::uint8_t> head = source.Read(0, 10);
    layout.id3v2Length = Id3v2TagLength(head.data(), head.size());
    if (layout.id3v2Length > first.offset) {
        layout.id3v2Length = 0; // a tag that runs into the audio is no tag to copy
    }
    if (source.length() >= kId3v1Length) {
        const std::vector<std::uint8_t> tail = source.Read(source.length() - kId3v1Length, kId3v1Length);
        layout.id3v1 = IsId3v1Tag(tail.data(), tail.size());
    }
    const std::int64_t infoLength = std::min(first.offset - layout.id3v2Length, kInfoFrameLimit);
    if (infoLength > 0) {
        const std::vector<std::uint8_t> info = source.Read(layout.id3v2Length, infoLength);
        layout.lame = ReadLameExtension(info.data(), info.size());
    }
    return layout;
}

// Frames of one kind, one after the other, that show the source holds an MPEG audio stream.
constexpr int kFramesInARun = 4;

// Whether the stream's first frames form such a run (a shorter stream counts when all of it is one),
// read by a reader of its own so that the cut's reader starts at the first frame.
bool StartsWithARun(const CutSource& source) {
    const auto reader =
        MpegFrameReader::OverFile(source.fd(), source.length(), MpegFrameReader::InfoFrame::Skip);
    std::optional<MpegFrame> first = reader ? reader->Next() : std::nullopt;
    if (!first) {
        return false;
    }
    std::int64_t end = first->offset + first->size;
    for (int frames = 1; frames < kFramesInARun; ++frames) {
        const std::optional<MpegFrame> next = reader->Next();
        if (!next) {
            return reader->error().empty();
        }
        if (next->offset != end || (next->header & kKindBits) != (first->header & kKindBits)) {
            return false;
        }
        end = next->offset + next->size;
    }
    return true;
}

bool IsFreeFormat(std::uint32_t header) {
    return ((header >> 12) & 0xF) == 0;
}

// Writes all of `bytes` at `offset` of the output; the errno, or 0.
int WriteAt(int fd, const std::vector<std::uint8_t>& bytes, std::int64_t offset) {
    return WriteSpan(fd, bytes.data(), bytes.size(), offset);
}

// Writes one cut into the open, empty output `out`. Fills in the result's error on a failure that is not
// the output's, and returns the reason for any failure.
class CutWriter {
public:
    CutWriter(const CutSource& source, MpegFrameReader& reader, const MpegFrame& first, const FrameSpan& span,
              const SourceLayout& layout, CutResult& result)
        : source_(source), reader_(reader), first_(first), span_(span), layout_(layout), result_(result),
          expected_(first.offset) {}

    std::string Write(int out) {
        out_ = out;
        if (std::string problem = Copy(0, layout_.id3v2Length); !problem.empty()) {
            return problem;
        }
        if (std::string problem = CopyFrames(); !problem.empty()) {
            return problem;
        }
        if (table_.frames() == 0) {
            result_.error = CutError::EmptySegment;
            return "the start lies past the last frame";
        }
        if (std::string problem = WriteHeaderFrame(); !problem.empty()) {
            return problem;
        }
        if (layout_.id3v1 && lastFrameEnd_ <= source_.length() - kId3v1Length) {
            return Copy(source_.length() - kId3v1Length, kId3v1Length);
        }
        return {};
    }

private:
    // Walks the stream's frames up to the end of the cut and copies those of the cut. A frame that does
    // not follow the one before it (libmpg123 found it past bytes that are no frame: junk or a tag) counts
    // only when the next frame follows it; else it was a false sync word and is left out.
    std::string CopyFrames() {
        std::optional<MpegFrame> frame = first_;
        std::optional<MpegFrame> candidate; // a frame after a gap, waiting for the next one to vouch for it
        while (frame && index_ < span_.end) {
            if (candidate) {
                const bool follows = frame->offset == candidate->offset + candidate->size &&
                                     (frame->header & kKindBits) == (candidate->header & kKindBits);
                if (follows) {
                    if (std::string problem = Accept(*candidate); !problem.empty()) {
                        return problem;
                    }
                    candidate.reset();
                    continue; // the frame itself is taken as usual
                }
                candidate.reset();
            }
            if (frame->offset != expected_) {
                candidate = frame;
            } else if (std::string problem = Accept(*frame); !problem.empty()) {
                return problem;
            }
            frame = reader_.Next();
        }
        if (!frame && !reader_.error().empty()) {
            result_.error = CutError::SourceUnreadable;
            return reader_.error();
        }
        atEnd_ = !frame;
        return FlushRun();
    }

    // One more frame of the stream: copied when it belongs to the cut.
    std::string Accept(const MpegFrame& frame) {
        if (index_ >= span_.end) {
            return {};
        }
        if ((frame.header & kKindBits) != (first_.header & kKindBits)) {
            result_.error = CutError::MixedFormat;
            return "the stream changes its kind of frames at byte " + std::to_string(frame.offset);
        }
        if (IsFreeFormat(frame.header)) {
            result_.error = CutError::FreeFormat;
            return "free-format frame at byte " + std::to_string(frame.offset);
        }
        expected_ = frame.offset + frame.size;
        if (index_++ >= span_.first) {
            return TakeFrame(frame, reader_.format());
        }
        return {};
    }

    std::string TakeFrame(const MpegFrame& frame, const MpegStreamFormat& format) {
        if (table_.frames() == 0) {
            firstCutHeader_ = frame.header;
            result_.range.offset = frame.offset;
            if (format.layer == 3) {
                // Room for the header frame, written when the cut's frames are known.
                headerOffset_ = layout_.id3v2Length;
                headerLength_ = XingFrameLength(frame.header, layout_.lame.has_value());
                if (::lseek(out_, static_cast<off_t>(headerLength_), SEEK_CUR) < 0) {
                    return std::strerror(errno);
                }
            }
        }
        vbr_ = vbr_ || ((frame.header ^ firstCutHeader_) & 0xF000) != 0;
        table_.AddFrame(frame.size);
        if (frame.offset != runEnd_) {
            if (std::string problem = FlushRun(); !problem.empty()) {
                return problem;
            }
            runStart_ = frame.offset;
        }
        runEnd_ = frame.offset + frame.size;
        lastFrameEnd_ = runEnd_;
        return {};
    }

    // Copies the frames gathered since the last gap between frames.
    std::string FlushRun() {
        std::string problem = Copy(runStart_, runEnd_ - runStart_);
        runStart_ = runEnd_;
        return problem;
    }

    std::string Copy(std::int64_t offset, std::int64_t count) {
        if (count <= 0) {
            return {};
        }
        const CopyOutcome copy = CopyByteRange(source_.fd(), offset, count, out_);
        result_.written += copy.copied;
        if (copy.readError != 0) {
            result_.error = CutError::SourceUnreadable;
            return std::strerror(copy.readError);
        }
        if (copy.writeError != 0) {
            return std::strerror(copy.writeError);
        }
        if (copy.copied != count) {
            result_.error = CutError::SourceUnreadable;
            return "the source became shorter while it was cut";
        }
        return {};
    }

    std::string WriteHeaderFrame() {
        result_.range.count = lastFrameEnd_ - result_.range.offset;
        if (headerLength_ == 0) {
            return {};
        }
        const MpegStreamFormat& format = reader_.format();
        XingContent content;
        content.firstHeader = firstCutHeader_;
        content.vbr = vbr_;
        // The header's fields hold 32 bits: a larger cut (over 4 GiB) says the most they can.
        const auto field = [](std::int64_t value) {
            return static_cast<std::uint32_t>(std::min<std::int64_t>(value, 0xFFFF0000));
        };
        content.frames = field(table_.frames());
        content.audioBytes = field(table_.bytes());
        content.toc = table_.Build();
        content.lame = layout_.lame;
        content.encoderDelay = span_.first == 0 ? format.encoderDelay : 0;
        content.encoderPadding = atEnd_ ? format.encoderPadding : kDecoderDelay;
        const std::vector<std::uint8_t> frame = BuildXingFrame(content);
        if (const int error = WriteAt(out_, frame, headerOffset_); error != 0) {
            return std::strerror(error);
        }
        result_.written += static_cast<std::int64_t>(frame.size());
        return {};
    }

    const CutSource& source_;
    MpegFrameReader& reader_;
    const MpegFrame first_;
    const FrameSpan span_;
    const SourceLayout& layout_;
    CutResult& result_;
    int out_ = -1;
    std::int64_t index_ = 0;    // the stream's frames accepted so far
    std::int64_t expected_ = 0; // where the next frame starts when it follows the last one
    SeekTableBuilder table_;
    std::uint32_t firstCutHeader_ = 0;
    bool vbr_ = false;
    bool atEnd_ = false;
    std::int64_t headerOffset_ = 0;
    std::int64_t headerLength_ = 0;
    std::int64_t runStart_ = 0;
    std::int64_t runEnd_ = 0;
    std::int64_t lastFrameEnd_ = 0;
};

CutResult Cut(const CutRequest& request) {
    CutResult result;
    CutSource source;
    if (!OpenCutSource(request, source, result)) {
        return result;
    }
    const auto reader =
        MpegFrameReader::OverFile(source.fd(), source.length(), MpegFrameReader::InfoFrame::Skip);
    const std::optional<MpegFrame> first = reader ? reader->Next() : std::nullopt;
    if (!first || !StartsWithARun(source)) {
        result.error = CutError::NoAudioFrames;
        result.detail = reader ? reader->error() : "libmpg123 cannot be set up";
        return result;
    }
    if (IsFreeFormat(first->header)) {
        result.error = CutError::FreeFormat;
        return result;
    }
    const MpegStreamFormat& format = reader->format();
    const SourceLayout layout = ReadLayout(source, *first);
    // With a LAME header the cut tells decoders where its sound starts and ends (see FrameClock).
    const bool gapless = format.layer == 3 && layout.lame.has_value();
    const FrameClock clock{format.sampleRate, format.samplesPerFrame, format.encoderDelay,
                           gapless ? kDecoderDelay : 0};
    const std::optional<FrameSpan> span = FramesForMarks(request.startPos, request.endPos, clock);
    if (!span) {
        result.error = CutError::BadMarks;
        return result;
    }
    CutWriter writer(source, *reader, *first, *span, layout, result);
    WriteCutOutput(
        request, source.fd(), [&](int out) { return writer.Write(out); }, result);
    return result;
}

} // namespace

CutResult CutPrecisely(const CutRequest& request) {
    return Cut(request);
}

} // namespace trimvox
