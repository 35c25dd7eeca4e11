// SPDX-License-Identifier: GPL-3.0-or-later
// The source's Xing/Info header and LAME tag as the precise cut reads them, against libmpg123's reading.
#include "mp3/xing_frame.h"

#include "mp3/mpeg_frame_reader.h"
#include "platform/fs/byte_file.h"
#include "support/gapless_decode.h"
#include "support/mp3_sources.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;

TEST(XingHeader, ReadsWhatLibmpg123ReadsInEveryLayout) {
    test::TempDir dir;
    const test::Mp3SourceKind kinds[] = {
        {"MPEG-1 stereo", 44100, 2, "--cbr -b 128"},
        {"MPEG-1 stereo with CRC", 44100, 2, "--cbr -b 128 -p"},
        {"MPEG-1 mono with CRC", 32000, 1, "-V4 -p"},
        {"MPEG-2 mono", 22050, 1, "-V6"},
        {"MPEG-2.5 stereo with CRC", 11025, 2, "--cbr -b 32 -p"},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const fs::path path = dir.path() / "source.mp3";
        test::MakeTaggedMp3(path, kind, 3.0);
        const Bytes bytes = *ReadWholeFile(path);
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        const auto all = MpegFrameReader::OverFile(fd, static_cast<std::int64_t>(bytes.size()),
                                                   MpegFrameReader::InfoFrame::Keep);
        const auto first = all->Next();
        ASSERT_TRUE(first);
        std::uint32_t frames = 0;
        while (all->Next()) {
            ++frames;
        }
        ::close(fd);
        const auto header =
            ReadXingHeader(bytes.data() + first->offset, static_cast<std::size_t>(first->size));
        ASSERT_TRUE(header);
        ASSERT_TRUE(header->lame);
        EXPECT_TRUE(HasGaplessVersionString(*header->lame));
        EXPECT_EQ(header->frames, frames);
        const test::GaplessDecode decoded = test::DecodeGapless(path);
        EXPECT_EQ(header->encoderDelay, decoded.delay);
        EXPECT_EQ(header->encoderPadding, decoded.padding);
    }
    // A frame of audio is no header frame.
    const fs::path plain = dir.path() / "plain.mp3";
    test::MakeTaggedMp3(plain, {"no tag", 44100, 2, "--cbr -b 128 -t"}, 1.0);
    const Bytes bytes = *ReadWholeFile(plain);
    const std::size_t tag = 10 + ((bytes[6] << 21) | (bytes[7] << 14) | (bytes[8] << 7) | bytes[9]);
    EXPECT_FALSE(ReadXingHeader(bytes.data() + tag, bytes.size() - tag));
}

} // namespace
} // namespace trimvox
