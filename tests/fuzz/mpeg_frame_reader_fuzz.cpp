// SPDX-License-Identifier: GPL-3.0-or-later
// The frame reader over bytes in memory, as the cutter and the length estimate walk a file: every frame it
// gives lies inside the input after the one before, and its header and body are the input's own bytes.
#include "fuzz_check.h"
#include "mp3/frame_sync.h"
#include "mp3/mpeg_frame_header.h"
#include "mp3/mpeg_frame_reader.h"
#include "mp3/xing_frame.h"

#include <cstring>

using namespace trimvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    for (const auto info : {MpegFrameReader::InfoFrame::Skip, MpegFrameReader::InfoFrame::Keep}) {
        const auto reader = MpegFrameReader::OverMemory(data, size, info);
        FUZZ_CHECK(reader != nullptr);
        std::int64_t end = 0;
        bool first = true;
        while (const std::optional<MpegFrame> frame = reader->Next()) {
            FUZZ_CHECK(frame->offset >= end);
            FUZZ_CHECK(frame->size >= 4 && frame->offset + frame->size <= static_cast<std::int64_t>(size));
            FUZZ_CHECK(static_cast<std::size_t>(frame->size) == reader->bodySize() + 4);
            const std::uint8_t* at = data + frame->offset;
            FUZZ_CHECK((std::uint32_t{at[0]} << 24 | std::uint32_t{at[1]} << 16 | std::uint32_t{at[2]} << 8 |
                        at[3]) == frame->header);
            FUZZ_CHECK(std::memcmp(reader->body(), at + 4, reader->bodySize()) == 0);
            // Our own reading of the header gives the same length. The headers it refuses and libmpg123
            // takes are free-format ones (no bit rate), and those with the reserved version (read by
            // libmpg123 as MPEG-2.5) or the reserved emphasis.
            if (const std::optional<FrameHeader> parsed = ParseFrameHeader(frame->header)) {
                FUZZ_CHECK(parsed->length == frame->size);
            } else {
                const bool freeFormat = ((frame->header >> 12) & 0xF) == 0;
                const bool reservedVersion = ((frame->header >> 19) & 3) == 1;
                FUZZ_CHECK(freeFormat || reservedVersion || (frame->header & 3) == 2);
            }
            if (first) {
                const MpegStreamFormat& format = reader->format();
                FUZZ_CHECK(format.layer >= 1 && format.layer <= 3 && format.sampleRate > 0);
                // The header frame's readers, on the frame as the cutter hands it to them.
                (void)ReadXingHeader(at, static_cast<std::size_t>(frame->size));
                (void)ReadLameExtension(at, static_cast<std::size_t>(frame->size));
                first = false;
            }
            end = frame->offset + frame->size;
        }
    }
    FUZZ_CHECK(FindAudioStart(data, size) <= size);
    return 0;
}
