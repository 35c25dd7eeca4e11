// SPDX-License-Identifier: GPL-3.0-or-later
// The length of a stream whose header does not count its frames (VBR without a Xing header), walked from its
// frames, against the samples libmpg123 decodes from the same file.
#include "mp3/media_info.h"
#include "mp3/walked_duration.h"

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

double DecodedSeconds(const fs::path& path, int sampleRate) {
    return static_cast<double>(test::DecodeGapless(path).samples.size()) / sampleRate;
}

std::optional<double> Walk(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const auto seconds = WalkedDuration(fd, static_cast<std::int64_t>(fs::file_size(path)));
    ::close(fd);
    return seconds;
}

// "时长" of every kind of file is what a decoder plays: from the header where it counts the frames, else from
// the frames themselves (lame -t leaves out the Xing/Info frame, as a byte cut of a VBR file does).
TEST(WalkedDuration, LengthIsWhatTheDecoderPlays) {
    test::TempDir dir;
    const test::Mp3SourceKind kinds[] = {
        {"VBR -V0 without a header (the bar)", 44100, 2, "-V0 -t", false},
        {"uneven VBR -V2 without a header", 44100, 2, "-V2 -t", true},
        {"48 kHz mono VBR without a header", 48000, 1, "-V4 -m m -t", true},
        {"CBR without a header", 44100, 2, "--cbr -b 128 -t", false},
        {"uneven VBR with its Xing header", 44100, 2, "-V2", true},
    };
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const fs::path path = dir.path() / "source.mp3";
        test::MakeTaggedMp3(path, kind, 30.0);
        const MediaInfo info = ReadMediaInfo(path);
        ASSERT_TRUE(info.playable);
        EXPECT_FALSE(info.lengthEstimated);
        EXPECT_NEAR(info.durationSeconds, DecodedSeconds(path, kind.sampleRate), 0.002);
        EXPECT_NEAR(info.durationSeconds, 30.0, 0.1);
    }
}

// A file too large to walk at once reads as estimated; the walk (in the background) gives the true length.
TEST(WalkedDuration, LargeFileIsWalkedApart) {
    test::TempDir dir;
    const fs::path one = dir.path() / "one.mp3";
    test::MakeTaggedMp3(one, {"uneven VBR without a header", 44100, 2, "-V0 -t", true}, 30.0);
    const std::optional<double> oneLength = Walk(one);
    ASSERT_TRUE(oneLength);

    // The same frames again and again: one stream of many times the frames, larger than the limit.
    std::ifstream in(one, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    const fs::path large = dir.path() / "large.mp3";
    std::ofstream out(large, std::ios::binary);
    int copies = 0;
    for (std::int64_t size = 0; size <= kWalkAtOnceLimit; size += static_cast<std::int64_t>(bytes.size())) {
        out << bytes;
        ++copies;
    }
    out.close();

    const MediaInfo info = ReadMediaInfo(large);
    ASSERT_TRUE(info.playable);
    EXPECT_TRUE(info.lengthEstimated);
    const std::optional<double> walked = Walk(large);
    ASSERT_TRUE(walked);
    EXPECT_NEAR(*walked, copies * *oneLength, 1e-6);
    EXPECT_GT(std::abs(info.durationSeconds - *walked), 1.0) << "the estimate was near enough: no test";

    std::atomic<bool> cancel{true};
    const int fd = ::open(large.c_str(), O_RDONLY | O_CLOEXEC);
    EXPECT_FALSE(WalkedDuration(fd, static_cast<std::int64_t>(fs::file_size(large)), &cancel));
    ::close(fd);
}

} // namespace
} // namespace trimvox
