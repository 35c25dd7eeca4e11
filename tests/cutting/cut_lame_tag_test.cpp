// SPDX-License-Identifier: GPL-3.0-or-later
// The LAME tag of every precise cut, read here byte by byte and compared with libmpg123's view of the cut.
#include "cutting/precise_cutter.h"

#include "mp3/mpeg_frame_reader.h"
#include "platform/fs/byte_file.h"
#include "support/gapless_decode.h"
#include "support/mp3_sources.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;

// The LAME tag's CRC-16 computed by table, as LAME itself does (reflected polynomial 0x8005).
std::uint16_t TableCrc(const std::uint8_t* data, std::size_t size) {
    std::array<std::uint16_t, 256> table{};
    for (unsigned n = 0; n < 256; ++n) {
        unsigned value = n;
        for (int bit = 0; bit < 8; ++bit) {
            value = (value & 1) != 0 ? (value >> 1) ^ 0xA001 : value >> 1;
        }
        table[n] = static_cast<std::uint16_t>(value);
    }
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        crc = static_cast<std::uint16_t>((crc >> 8) ^ table[(crc ^ data[i]) & 0xFF]);
    }
    return crc;
}

std::uint32_t Big32(const std::uint8_t* at) {
    return (std::uint32_t{at[0]} << 24) | (std::uint32_t{at[1]} << 16) | (std::uint32_t{at[2]} << 8) | at[3];
}

// The audio frames of a file, the header frame left out.
std::int64_t CountFrames(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const auto reader = MpegFrameReader::OverFile(fd, static_cast<std::int64_t>(fs::file_size(path)),
                                                  MpegFrameReader::InfoFrame::Skip);
    std::int64_t frames = 0;
    while (reader->Next()) {
        ++frames;
    }
    ::close(fd);
    return frames;
}

CutResult CutFrames(const fs::path& source, double start, double end, const fs::path& output) {
    CutRequest request;
    request.source = source;
    request.startPos = start;
    request.endPos = end;
    request.output = output;
    request.mode = CutMode::Precise;
    return CutSegment(request);
}

TEST(CutLameTag, EveryCutCarriesATagThatDecodersHonour) {
    test::TempDir dir;
    const test::Mp3SourceKind kinds[] = {
        {"LAME tag", 44100, 2, "--cbr -b 128"},
        {"no LAME tag", 44100, 2, "-V3 -t"},
        {"CRC-protected mono", 44100, 1, "--cbr -b 64 -p"},
        {"MPEG-2 mono without tag", 22050, 1, "-V6 -t"},
        {"MPEG-2.5 stereo", 8000, 2, "--cbr -b 32"},
    };
    for (const auto& kind : kinds) {
        const fs::path source = dir.path() / "source.mp3", cut = dir.path() / "cut.mp3";
        test::MakeTaggedMp3(source, kind, 8.0);
        for (const auto& [start, end] : {std::pair{0.0, 3.0}, std::pair{2.2, 5.1}, std::pair{6.0, 60.0}}) {
            SCOPED_TRACE(kind.name + " " + std::to_string(start));
            ASSERT_TRUE(CutFrames(source, start, end, cut).ok());
            const Bytes bytes = *ReadWholeFile(cut);
            const std::size_t frame = 10 + ((bytes[6] << 21) | (bytes[7] << 14) | (bytes[8] << 7) | bytes[9]);
            const std::uint8_t* header = bytes.data() + frame;
            ASSERT_EQ(header[0], 0xFF);
            EXPECT_EQ(header[1] & 1, 1) << "no CRC in the header frame";
            const bool mpeg1 = ((header[1] >> 3) & 3) == 3, mono = (header[3] >> 6) == 3;
            const std::size_t xing = 4 + (mpeg1 ? (mono ? 17 : 32) : (mono ? 9 : 17));
            const std::uint8_t* tag = header + xing;
            ASSERT_TRUE(std::memcmp(tag, "Xing", 4) == 0 || std::memcmp(tag, "Info", 4) == 0);
            ASSERT_EQ(Big32(tag + 4), 15u) << "frames, bytes, table of contents and quality";
            const std::uint8_t* lame = tag + 120;
            EXPECT_EQ(std::string(reinterpret_cast<const char*>(lame), 4), "LAME");
            const int delay = (lame[21] << 4) | (lame[22] >> 4);
            const int padding = ((lame[22] & 0x0F) << 8) | lame[23];
            const std::uint32_t audioBytes = static_cast<std::uint32_t>(bytes.size() - frame - 128);
            EXPECT_EQ(Big32(tag + 8), CountFrames(cut));
            EXPECT_EQ(Big32(tag + 12), audioBytes);
            EXPECT_EQ(Big32(lame + 28), audioBytes) << "music length";
            EXPECT_EQ(lame[32] | lame[33], 0) << "music CRC cleared";
            EXPECT_EQ((lame[34] << 8) | lame[35],
                      TableCrc(header, static_cast<std::size_t>(lame + 34 - header)));
            // Rockbox honours the delay up to 2880 samples, the padding up to 2304; an MPEG-1 cut that starts
            // in the last 46 samples of a frame needs a few more.
            const int spf = mpeg1 ? 1152 : 576;
            EXPECT_LE(delay, mpeg1 ? 3 * spf - 1 - 529 : 2880);
            EXPECT_LE(padding, 2304);
            const test::GaplessDecode decoded = test::DecodeGapless(cut);
            EXPECT_EQ(decoded.delay, delay);
            EXPECT_EQ(decoded.padding, padding);
            EXPECT_EQ(static_cast<long>(decoded.samples.size()),
                      static_cast<long>(Big32(tag + 8)) * spf - delay - padding);
        }
    }
}

} // namespace
} // namespace trimvox
