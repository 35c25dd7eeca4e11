// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/frame_sync.h"

#include "support/mp3_fixture.h"
#include "support/temp_data_home.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <vector>

namespace trimvox {
namespace {

using Data = std::vector<std::uint8_t>;

Data ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Data(std::istreambuf_iterator<char>(in), {});
}

TEST(FrameHeader, ReadsTheKindAndLengthOfAFrame) {
    struct Case {
        std::uint8_t bytes[4];
        int version, layer, sampleRate, length;
    };
    const Case cases[] = {
        {{0xFF, 0xFB, 0x90, 0x64}, 10, 3, 44100, 417},  // 128 kbit/s
        {{0xFF, 0xFB, 0x92, 0x64}, 10, 3, 44100, 418},  // padded
        {{0xFF, 0xFB, 0xE0, 0x64}, 10, 3, 44100, 1044}, // 320 kbit/s
        {{0xFF, 0xF3, 0x90, 0x64}, 20, 3, 22050, 261},  // MPEG-2 layer III, 80 kbit/s
        {{0xFF, 0xFF, 0xB7, 0x44}, 10, 1, 48000, 356},  // the false header found inside a cut
    };
    for (const Case& c : cases) {
        const auto header = ParseFrameHeader(c.bytes, 4);
        ASSERT_TRUE(header);
        EXPECT_EQ(header->version, c.version);
        EXPECT_EQ(header->layer, c.layer);
        EXPECT_EQ(header->sampleRate, c.sampleRate);
        EXPECT_EQ(header->length, c.length);
    }
    const std::uint8_t bad[][4] = {
        {0xFF, 0xEB, 0x90, 0x64}, // reserved version
        {0xFF, 0xF9, 0x90, 0x64}, // reserved layer
        {0xFF, 0xFB, 0xF0, 0x64}, // bad bit rate
        {0xFF, 0xFB, 0x00, 0x64}, // free bit rate
        {0xFF, 0xFB, 0x9C, 0x64}, // bad sample rate
        {0xFF, 0xFB, 0x90, 0x66}, // reserved emphasis
        {0xFE, 0xFB, 0x90, 0x64}, // no sync
    };
    for (const auto& bytes : bad) {
        EXPECT_FALSE(ParseFrameHeader(bytes, 4));
    }
    EXPECT_FALSE(ParseFrameHeader(cases[0].bytes, 3));
}

TEST(AudioStart, WholeFilesStartAtTheirFirstByte) {
    test::TempDir dir;
    test::Mp3Options tagged;
    tagged.title = "Whole";
    test::MakeMp3(dir.path() / "tagged.mp3", tagged);
    test::MakeMp3(dir.path() / "plain.mp3", {});
    for (const char* name : {"tagged.mp3", "plain.mp3"}) {
        const Data data = ReadFile(dir.path() / name);
        EXPECT_EQ(FindAudioStart(data.data(), data.size()), 0u) << name;
    }
    EXPECT_EQ(FindAudioStart(nullptr, 0), 0u);
    const Data noise(5000, 0xFF);
    EXPECT_EQ(FindAudioStart(noise.data(), noise.size()), 0u);
}

TEST(AudioStart, ACutFromAnyByteStartsAtARealFrame) {
    test::TempDir dir;
    test::MakeMp3(dir.path() / "plain.mp3", {});
    const Data whole = ReadFile(dir.path() / "plain.mp3");
    // The real frames of the whole file, by walking from its first frame.
    std::set<std::size_t> frames;
    for (std::size_t at = 0; at + 4 <= whole.size();) {
        const auto header = ParseFrameHeader(whole.data() + at, whole.size() - at);
        ASSERT_TRUE(header) << at;
        frames.insert(at);
        at += static_cast<std::size_t>(header->length);
    }
    for (std::size_t cut = 9000; cut < 9000 + 2 * 418; cut += 7) {
        const Data part(whole.begin() + static_cast<std::ptrdiff_t>(cut), whole.end());
        const std::size_t start = FindAudioStart(part.data(), part.size());
        EXPECT_EQ(frames.count(cut + start), 1u) << cut;
        EXPECT_LT(start, 418u * 2) << cut;
    }
}

} // namespace
} // namespace trimvox
