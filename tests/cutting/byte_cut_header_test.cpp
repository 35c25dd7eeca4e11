// SPDX-License-Identifier: GPL-3.0-or-later
// A byte cut that carries the source's Xing/Info header frame says its own length, checked against what
// libmpg123 decodes of the cut; every byte but the header frame's is the source's.
#include "cutting/segment_cutter.h"
#include "mp3/info_frame_counts.h"
#include "mp3/media_info.h"
#include "mp3/mpeg_frame_reader.h"

#include "support/gapless_decode.h"
#include "support/mp3_sources.h"
#include "support/temp_data_home.h"

#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The header frame of a file (where it lies and its length), if the file starts with one.
std::optional<MpegFrame> HeaderFrame(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const auto reader = MpegFrameReader::OverFile(fd, static_cast<std::int64_t>(fs::file_size(path)),
                                                  MpegFrameReader::InfoFrame::Keep);
    std::optional<MpegFrame> first = reader ? reader->Next() : std::nullopt;
    if (first) {
        std::vector<std::uint8_t> frame{
            static_cast<std::uint8_t>(first->header >> 24), static_cast<std::uint8_t>(first->header >> 16),
            static_cast<std::uint8_t>(first->header >> 8), static_cast<std::uint8_t>(first->header)};
        frame.insert(frame.end(), reader->body(), reader->body() + reader->bodySize());
        if (!InfoFrameFrameCount(frame.data(), frame.size())) {
            first.reset();
        }
    }
    ::close(fd);
    return first;
}

TEST(ByteCutHeader, CutFromTheStartSaysItsOwnLength) {
    test::TempDir dir;
    struct Row {
        test::Mp3SourceKind kind;
        double start, end;
        bool carriesHeader;
    };
    const Row rows[] = {
        {{"CBR 128k, the first 10 s (the bar)", 44100, 2, "--cbr -b 128", false}, 0.0, 10.0, true},
        {{"VBR -V0, the first 10 s", 44100, 2, "-V0", false}, 0.0, 10.0, true},
        {{"uneven VBR, the first 20 s", 44100, 2, "-V2", true}, 0.0, 20.0, true},
        {{"22.05 kHz MPEG-2, the first 5 s", 22050, 2, "--cbr -b 64", false}, 0.0, 5.0, true},
        {{"CBR 128k, the whole file", 44100, 2, "--cbr -b 128", false}, 0.0, 30.0, true},
        {{"CBR 128k, from the middle", 44100, 2, "--cbr -b 128", false}, 10.0, 20.0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kind.name);
        const fs::path source = dir.path() / "source.mp3";
        const fs::path output = dir.path() / "cut.mp3";
        test::MakeTaggedMp3(source, row.kind, 30.0);
        CutRequest request;
        request.source = source;
        request.duration = ReadMediaInfo(source).durationSeconds;
        request.startPos = row.start;
        request.endPos = row.end;
        request.output = output;
        const CutResult result = CutSegment(request);
        ASSERT_TRUE(result.ok()) << result.detail;

        // Players read the cut's length from its header: the samples the decoder puts out.
        const test::GaplessDecode decoded = test::DecodeGapless(output);
        const double decodedSeconds = static_cast<double>(decoded.samples.size()) / row.kind.sampleRate;
        EXPECT_NEAR(ReadMediaInfo(output).durationSeconds, decodedSeconds, 0.002);
        if (!row.kind.unevenLoudness) {
            EXPECT_NEAR(decodedSeconds, row.end - row.start, 0.15);
        }

        // Every byte is the source's, but for the header frame's counts.
        const std::string in = Bytes(source);
        const std::string out = Bytes(output);
        ASSERT_EQ(static_cast<std::int64_t>(out.size()), result.written);
        const std::string copied = in.substr(static_cast<std::size_t>(result.range.offset), out.size());
        const std::optional<MpegFrame> header = HeaderFrame(output);
        EXPECT_EQ(header.has_value(), row.carriesHeader);
        if (header) {
            const auto from = static_cast<std::size_t>(header->offset);
            const auto to = static_cast<std::size_t>(header->offset + header->size);
            EXPECT_EQ(out.substr(0, from), copied.substr(0, from));
            EXPECT_EQ(out.substr(to), copied.substr(to));
            if (row.end < 30.0) {
                EXPECT_NE(out.substr(from, to - from), copied.substr(from, to - from))
                    << "the counts unchanged";
            }
        } else {
            EXPECT_EQ(out, copied);
        }
    }
}

} // namespace
} // namespace trimvox
