// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutting/byte_cut_header.h"

#include "cutting/cut_source.h"
#include "mp3/info_frame_counts.h"
#include "mp3/mpeg_frame_reader.h"
#include "mp3/seek_table.h"

#include <limits>

namespace trimvox {

std::optional<ByteCutHeader> CorrectedHeaderOfByteCut(const CutSource& source, const CutRange& range,
                                                      std::int64_t copied) {
    const std::int64_t cutEnd = range.offset + copied;
    // The header frame is the first frame libmpg123 finds when told to keep it.
    const auto first =
        MpegFrameReader::OverFile(source.fd(), source.length(), MpegFrameReader::InfoFrame::Keep);
    const std::optional<MpegFrame> header = first ? first->Next() : std::nullopt;
    if (!header || header->offset < range.offset || header->offset + header->size > cutEnd) {
        return std::nullopt;
    }
    ByteCutHeader result;
    result.bytes = source.Read(header->offset, header->size);
    const std::optional<std::uint32_t> sourceFrames =
        InfoFrameFrameCount(result.bytes.data(), result.bytes.size());
    InfoFrameCounts counts;
    if (!sourceFrames && !CorrectInfoFrame(result.bytes.data(), result.bytes.size(), counts)) {
        return std::nullopt; // an audio frame: no header to correct
    }
    // The whole frames of the cut after the header frame (the reader stops before a frame cut short).
    const auto frames = MpegFrameReader::OverFile(source.fd(), cutEnd, MpegFrameReader::InfoFrame::Skip);
    if (!frames) {
        return std::nullopt;
    }
    SeekTableBuilder table;
    while (const std::optional<MpegFrame> frame = frames->Next()) {
        if (frame->offset > header->offset) {
            table.AddFrame(frame->size);
        }
    }
    if (sourceFrames && table.frames() >= *sourceFrames) {
        return std::nullopt; // the cut holds every frame the header counts: it says the cut's length already
    }
    constexpr auto kMost = std::numeric_limits<std::uint32_t>::max();
    counts.frames = static_cast<std::uint32_t>(std::min<std::int64_t>(table.frames(), kMost));
    counts.totalBytes =
        static_cast<std::uint32_t>(std::min<std::int64_t>(header->size + table.bytes(), kMost));
    counts.toc = table.Build();
    if (!CorrectInfoFrame(result.bytes.data(), result.bytes.size(), counts)) {
        return std::nullopt;
    }
    result.outputOffset = header->offset - range.offset;
    return result;
}

} // namespace trimvox
