// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutting/precise_cutter.h"

#include "cutting/cut_output.h"
#include "cutting/cut_source.h"
#include "mp3/bit_reservoir.h"
#include "mp3/frame_marks.h"
#include "mp3/gapless_timeline.h"
#include "mp3/id3v1_tag.h"
#include "mp3/id3v2_tag.h"
#include "mp3/mpeg_frame_header.h"
#include "mp3/mpeg_frame_reader.h"
#include "mp3/seek_table.h"
#include "mp3/silent_frame.h"
#include "mp3/xing_frame.h"
#include "platform/fs/span_io.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace trimvox {

namespace {

// The header bits that must stay the same through a stream: version, layer and sample rate.
constexpr std::uint32_t kKindBits = 0x001E0C00;

// The longest stretch between two frames that is looked at as one damaged frame.
constexpr std::int64_t kLongestFrame = 2881;

// Frames before the first kept one whose audio data is kept for it: more than any frame can reach back.
constexpr std::int64_t kReservoirFrames = 32;

// What lies around the frames of the source.
struct SourceLayout {
    std::int64_t id3v2Length = 0;   // the tag at the start, copied first
    bool id3v1 = false;             // a tag in the last 128 bytes, copied last
    std::optional<XingHeader> xing; // the source's own Xing/Info header frame
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
    // The header frame is the first frame libmpg123 finds when told to keep it: after junk too.
    const auto reader =
        MpegFrameReader::OverFile(source.fd(), source.length(), MpegFrameReader::InfoFrame::Keep);
    const std::optional<MpegFrame> header = reader ? reader->Next() : std::nullopt;
    if (header && header->offset < first.offset) {
        const std::vector<std::uint8_t> bytes = source.Read(header->offset, header->size);
        layout.xing = ReadXingHeader(bytes.data(), bytes.size());
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

// Writes all of `bytes` at the output's position; the errno, or 0.
int WriteHere(int fd, const std::vector<std::uint8_t>& bytes) {
    return WriteSpan(fd, bytes.data(), bytes.size());
}

std::vector<std::uint8_t> HeaderBytes(std::uint32_t header) {
    return {static_cast<std::uint8_t>(header >> 24), static_cast<std::uint8_t>(header >> 16),
            static_cast<std::uint8_t>(header >> 8), static_cast<std::uint8_t>(header)};
}

// A frame of the stream as the cut sees it: where it lies in the source and its bytes after the header.
struct StreamFrame {
    MpegFrame frame;
    const std::uint8_t* body = nullptr;
    std::size_t bodySize = 0;
    std::vector<std::uint8_t> replaced; // the whole frame, where the cut writes other bytes than the source's
};

// Which frames the cut takes, and for a layer III stream the samples it holds.
struct CutFrames {
    std::int64_t first = 0; // the source's frames from `first` up to, not including, `end`
    std::int64_t end = 0;
    std::optional<CutPlan> plan; // layer III
    std::optional<GaplessTimeline> timeline;
    std::int64_t rawStart = 0; // the source's raw sample the cut starts at
};

// Writes one cut into the open, empty output `out`. Fills in the result's error on a failure that is not
// the output's, and returns the reason for any failure.
class CutWriter {
public:
    CutWriter(const CutRequest& request, const CutSource& source, MpegFrameReader& reader,
              const MpegFrame& first, const CutFrames& frames, const SourceLayout& layout, CutResult& result)
        : request_(request), source_(source), reader_(reader), first_(first), frames_(frames),
          layout_(layout), result_(result), expected_(first.offset),
          reservoir_(MaxReservoir(reader.format().version)) {}

    std::string Write(int out) {
        out_ = out;
        if (std::string problem = Copy(0, layout_.id3v2Length); !problem.empty()) {
            return problem;
        }
        if (std::string problem = CopyFrames(); !problem.empty()) {
            return problem;
        }
        if (table_.frames() == 0 ||
            (frames_.plan && atEnd_ && frames_.rawStart >= frames_.timeline->RawEnd(index_))) {
            result_.error = CutError::EmptySegment;
            return "the start lies past the end of the audio";
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
    // not follow the one before it (libmpg123 found it past bytes that are no frame: junk or a tag), or
    // that is of another kind than the stream, counts only when the next frame follows it as its kind;
    // else it was a false sync word or a damaged header, and is left out.
    std::string CopyFrames() {
        std::optional<MpegFrame> frame = first_;
        std::optional<StreamFrame> candidate; // a frame waiting for the next one to vouch for it
        while (frame && index_ < frames_.end) {
            if (CutCancelled(request_)) {
                result_.error = CutError::Cancelled;
                return "cancelled";
            }
            if (candidate) {
                const bool follows = frame->offset == candidate->frame.offset + candidate->frame.size &&
                                     (frame->header & kKindBits) == (candidate->frame.header & kKindBits);
                if (follows) {
                    if (std::string problem = Accept(*candidate); !problem.empty()) {
                        return problem;
                    }
                    candidate.reset();
                    continue; // the frame itself is taken as usual
                }
                candidate.reset();
            }
            StreamFrame current{*frame, reader_.body(), reader_.bodySize(), {}};
            if (frame->offset != expected_ || (frame->header & kKindBits) != (first_.header & kKindBits)) {
                // Kept until the next frame is read: its bytes as they are now.
                current.replaced = HeaderBytes(frame->header);
                current.replaced.insert(current.replaced.end(), current.body,
                                        current.body + current.bodySize);
                current.body = current.replaced.data() + 4;
                candidate = std::move(current);
            } else if (std::string problem = Accept(current); !problem.empty()) {
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

    // A frame of the stream's kind in the bytes between the last frame and `next`, whose header alone is
    // damaged (it is read with the stream's version, layer and sample rate): the frame made silent, its
    // audio data kept for the frames after it. Nothing when the bytes are junk or a tag.
    std::optional<StreamFrame> DamagedFrameBefore(const MpegFrame& next) {
        const std::int64_t gap = next.offset - expected_;
        if (!frames_.plan || gap < 4 || gap > kLongestFrame) {
            return std::nullopt;
        }
        std::vector<std::uint8_t> bytes = source_.Read(expected_, gap);
        if (static_cast<std::int64_t>(bytes.size()) != gap || bytes[0] != 0xFF || (bytes[1] & 0xE0) != 0xE0) {
            return std::nullopt;
        }
        const std::uint32_t header = ((std::uint32_t{bytes[0]} << 24) | (std::uint32_t{bytes[1]} << 16) |
                                      (std::uint32_t{bytes[2]} << 8) | bytes[3]);
        const std::uint32_t repaired = (header & ~kKindBits) | (first_.header & kKindBits);
        const auto parsed = ParseFrameHeader(repaired);
        if (!parsed || parsed->length != gap || IsFreeFormat(repaired)) {
            return std::nullopt;
        }
        const std::vector<std::uint8_t> fixed = HeaderBytes(repaired);
        std::copy(fixed.begin(), fixed.end(), bytes.begin());
        if (!SilenceFrame(bytes.data(), bytes.size())) {
            return std::nullopt;
        }
        StreamFrame damaged{{expected_, gap, repaired}, nullptr, 0, std::move(bytes)};
        damaged.body = damaged.replaced.data() + 4;
        damaged.bodySize = damaged.replaced.size() - 4;
        return damaged;
    }

    // One more frame of the stream: copied when it belongs to the cut.
    std::string Accept(StreamFrame& frame) {
        if (index_ >= frames_.end) {
            return {};
        }
        if (frame.frame.offset != expected_) {
            if (std::optional<StreamFrame> damaged = DamagedFrameBefore(frame.frame)) {
                result_.damagedFrames += index_ >= frames_.first ? 1 : 0;
                if (std::string problem = Accept(*damaged); !problem.empty()) {
                    return problem;
                }
                if (index_ >= frames_.end) {
                    return {};
                }
            }
        }
        if ((frame.frame.header & kKindBits) != (first_.header & kKindBits)) {
            result_.error = CutError::MixedFormat;
            return "the stream changes its kind of frames at byte " + std::to_string(frame.frame.offset);
        }
        if (IsFreeFormat(frame.frame.header)) {
            result_.error = CutError::FreeFormat;
            return "free-format frame at byte " + std::to_string(frame.frame.offset);
        }
        expected_ = frame.frame.offset + frame.frame.size;
        const std::int64_t index = index_++;
        if (index >= frames_.first) {
            return TakeFrame(frame);
        }
        if (frames_.plan && index + kReservoirFrames >= frames_.first) {
            if (const auto area = MainDataArea(frame)) {
                reservoir_.Append(area->first, area->second);
            }
        }
        return {};
    }

    // The main-data area of a layer III frame.
    std::optional<std::pair<const std::uint8_t*, std::size_t>> MainDataArea(const StreamFrame& frame) const {
        const auto layout = Layer3LayoutOf(frame.frame.header);
        if (!layout || frame.body == nullptr) {
            return std::nullopt;
        }
        const auto from = static_cast<std::size_t>(layout->mainDataOffset - 4);
        if (from > frame.bodySize) {
            return std::nullopt;
        }
        return std::pair{frame.body + from, frame.bodySize - from};
    }

    // How far back a layer III frame takes its audio data; 0 when it cannot be read.
    int ReachBack(const StreamFrame& frame) const {
        const auto layout = Layer3LayoutOf(frame.frame.header);
        const auto at = layout ? static_cast<std::size_t>(layout->sideInfoOffset - 4) : 0;
        if (!layout || frame.body == nullptr || frame.bodySize < at + 2) {
            return 0;
        }
        return MainDataBegin(frame.body + at, reader_.format().version);
    }

    std::string TakeFrame(StreamFrame& frame) {
        if (table_.frames() == 0) {
            if (std::string problem = StartCut(frame); !problem.empty()) {
                return problem;
            }
        }
        vbr_ = vbr_ || ((frame.frame.header ^ firstCutHeader_) & 0xF000) != 0;
        ++keptFrames_;
        if (frames_.plan && heldAfter_ < MaxReservoir(reader_.format().version)) {
            // A frame that takes audio data from before what the cut holds would decode as noise: silence.
            if (ReachBack(frame) > held_ + heldAfter_) {
                if (frame.replaced.empty()) {
                    frame.replaced = HeaderBytes(frame.frame.header);
                    frame.replaced.insert(frame.replaced.end(), frame.body, frame.body + frame.bodySize);
                    frame.body = frame.replaced.data() + 4;
                }
                SilenceFrame(frame.replaced.data(), frame.replaced.size());
                ++result_.silencedFrames;
            }
            if (const auto area = MainDataArea(frame)) {
                heldAfter_ += static_cast<int>(area->second);
            }
        }
        lastFrameEnd_ = frame.frame.offset + frame.frame.size;
        if (!frame.replaced.empty()) {
            return WriteFrame(frame.replaced);
        }
        table_.AddFrame(frame.frame.size);
        if (frame.frame.offset != runEnd_) {
            if (std::string problem = FlushRun(); !problem.empty()) {
                return problem;
            }
            runStart_ = frame.frame.offset;
        }
        runEnd_ = frame.frame.offset + frame.frame.size;
        return {};
    }

    // Before the first frame of the cut: room for the header frame, and the silent frame that carries the
    // audio data the first frames take from the frames before them.
    std::string StartCut(const StreamFrame& frame) {
        firstCutHeader_ = frame.frame.header;
        result_.range.offset = frame.frame.offset;
        if (reader_.format().layer != 3) {
            return {};
        }
        headerOffset_ = layout_.id3v2Length;
        headerLength_ = XingFrameLength(frame.frame.header, true);
        if (::lseek(out_, static_cast<off_t>(headerLength_), SEEK_CUR) < 0) {
            return std::strerror(errno);
        }
        if (!frames_.plan || !frames_.plan->silentLead()) {
            return {};
        }
        const std::vector<std::uint8_t>& tail = reservoir_.bytes();
        const auto carried = std::min<std::size_t>(tail.size(), static_cast<std::size_t>(ReachBack(frame)));
        const std::vector<std::uint8_t> silent =
            BuildSilentFrame(frame.frame.header, tail.data() + (tail.size() - carried), carried);
        if (silent.empty()) {
            result_.error = CutError::SourceUnreadable;
            return "no silent frame can be made for this stream";
        }
        held_ = static_cast<int>(carried);
        return WriteFrame(silent);
    }

    // Writes a frame that is not the source's bytes as they stand.
    std::string WriteFrame(const std::vector<std::uint8_t>& bytes) {
        if (std::string problem = FlushRun(); !problem.empty()) {
            return problem;
        }
        runStart_ = runEnd_ = -1;
        if (const int error = WriteHere(out_, bytes); error != 0) {
            return std::strerror(error);
        }
        result_.written += static_cast<std::int64_t>(bytes.size());
        table_.AddFrame(static_cast<std::int64_t>(bytes.size()));
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
        // Every cut says where its sound starts and ends, under a version string that decoders honour.
        const std::optional<LameExtension> own = layout_.xing ? layout_.xing->lame : std::nullopt;
        content.lame = own && HasGaplessVersionString(*own) ? *own : FreshLameExtension();
        if (own && !HasGaplessVersionString(*own)) {
            content.lame->quality = own->quality;
        }
        if (frames_.plan) {
            content.encoderDelay = frames_.plan->Delay();
            content.encoderPadding = frames_.plan->Padding(keptFrames_);
        }
        const std::vector<std::uint8_t> frame = BuildXingFrame(content);
        if (const int error = WriteAt(out_, frame, headerOffset_); error != 0) {
            return std::strerror(error);
        }
        result_.written += static_cast<std::int64_t>(frame.size());
        return {};
    }

    const CutRequest& request_;
    const CutSource& source_;
    MpegFrameReader& reader_;
    const MpegFrame first_;
    const CutFrames frames_;
    const SourceLayout& layout_;
    CutResult& result_;
    int out_ = -1;
    std::int64_t index_ = 0;    // the stream's frames accepted so far
    std::int64_t expected_ = 0; // where the next frame starts when it follows the last one
    ReservoirTail reservoir_;   // the audio data of the frames just before the cut
    int held_ = 0;              // the bytes of it the silent frame carries
    int heldAfter_ = 0;         // the main-data bytes of the cut's frames so far (while they matter)
    std::int64_t keptFrames_ = 0;
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

// The latest mark taken as a number of seconds (years of audio); later marks lie past any stream's end.
constexpr double kLatestMark = 1e10;

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
    if (!std::isfinite(request.startPos) || !std::isfinite(request.endPos) || request.startPos < 0.0 ||
        request.endPos < request.startPos) {
        result.error = CutError::BadMarks;
        return result;
    }
    const MpegStreamFormat& format = reader->format();
    const SourceLayout layout = ReadLayout(source, *first);
    CutFrames frames;
    if (format.layer == 3) {
        const auto& xing = layout.xing;
        GaplessTimeline timeline =
            xing && xing->lame ? GaplessTimeline::WithTag(
                                     format.sampleRate, format.samplesPerFrame, format.version,
                                     xing->encoderDelay, xing->encoderPadding,
                                     xing->frames ? std::optional<std::int64_t>(*xing->frames) : std::nullopt)
            : format.encoderDelay > 0 || format.encoderPadding > 0
                ? GaplessTimeline::WithTag(format.sampleRate, format.samplesPerFrame, format.version,
                                           format.encoderDelay, format.encoderPadding, std::nullopt)
                : GaplessTimeline::Raw(format.sampleRate, format.samplesPerFrame, format.version);
        const std::int64_t startSample = timeline.SampleAt(std::min(request.startPos, kLatestMark));
        const std::int64_t endSample = timeline.SampleAt(std::min(request.endPos, kLatestMark));
        if (endSample <= startSample) {
            result.error = CutError::BadMarks; // the same sample after rounding: no audio to cut
            return result;
        }
        const std::int64_t rawStart = startSample + timeline.rawOffset;
        std::int64_t rawEnd = endSample + timeline.rawOffset;
        if (timeline.rawLimit) {
            if (rawStart >= *timeline.rawLimit) {
                result.error = CutError::EmptySegment;
                return result;
            }
            rawEnd = std::min(rawEnd, *timeline.rawLimit);
        }
        frames.plan.emplace(timeline, rawStart, rawEnd);
        frames.timeline = timeline;
        frames.rawStart = rawStart;
        frames.first = frames.plan->firstFrame();
        frames.end = frames.plan->endFrame();
    } else {
        const FrameClock clock{format.sampleRate, format.samplesPerFrame, format.encoderDelay, 0};
        const std::optional<FrameSpan> span = FramesForMarks(request.startPos, request.endPos, clock);
        if (!span) {
            result.error = CutError::BadMarks;
            return result;
        }
        frames.first = span->first;
        frames.end = span->end;
        // One frame alone is no stream to libmpg123 or FFmpeg, which wait for a second frame to confirm the
        // first: the cut takes the frame before it too (the one after it at the start of the stream).
        if (frames.end - frames.first < 2) {
            if (frames.first > 0) {
                --frames.first;
            } else {
                frames.end = 2;
            }
        }
    }
    CutWriter writer(request, source, *reader, *first, frames, layout, result);
    WriteCutOutput(
        request, source.fd(), [&](int out) { return writer.Write(out); }, result);
    return result;
}

} // namespace

CutResult CutPrecisely(const CutRequest& request) {
    return Cut(request);
}

} // namespace trimvox
