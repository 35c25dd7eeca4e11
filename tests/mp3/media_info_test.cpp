// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/media_info.h"

#include "support/mp3_fixture.h"
#include "support/process_io.h"
#include "support/temp_data_home.h"

#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;
using test::MakeMp3;
using test::Mp3Options;

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

struct Case {
    std::string name;
    std::function<fs::path(const fs::path& folder)> make; // makes the file, returns its path
    bool playable;
    double seconds;   // expected length
    double tolerance; // allowed difference
    std::string title;
};

class MediaInfoTest : public ::testing::TestWithParam<Case> {
protected:
    test::TempDir dir;
};

TEST_P(MediaInfoTest, ReadsPlayableLengthAndTitle) {
    const Case& c = GetParam();
    const MediaInfo info = ReadMediaInfo(c.make(dir.path()));
    EXPECT_EQ(info.playable, c.playable);
    EXPECT_NEAR(info.durationSeconds, c.seconds, c.tolerance);
    if (!c.playable) {
        EXPECT_EQ(info.durationSeconds, 0.0);
    }
    EXPECT_EQ(info.title, c.title);
}

fs::path Mp3(const fs::path& folder, const std::string& name, double seconds, const std::string& title = {},
             int bitrateKbps = 128, bool infoHeader = true) {
    Mp3Options options;
    options.seconds = seconds;
    options.title = title;
    options.bitrateKbps = bitrateKbps;
    options.infoHeader = infoHeader;
    const fs::path path = folder / name;
    MakeMp3(path, options);
    return path;
}

// The middle third of a 3 s, 128 kbps file: no tag, no header, starting inside a frame.
fs::path RawCut(const fs::path& folder) {
    const std::string bytes = ReadBytes(Mp3(folder, "whole.mp3", 3.0, "Whole"));
    const fs::path cut = folder / "tcut.mp3";
    WriteBytes(cut, bytes.substr(bytes.size() / 3 + 7, bytes.size() / 3));
    return cut;
}

fs::path Truncated(const fs::path& folder) {
    const std::string bytes = ReadBytes(Mp3(folder, "whole.mp3", 1.0, "Whole"));
    const fs::path cut = folder / "short.mp3";
    // The tag and a few bytes of the first frame only.
    WriteBytes(cut, bytes.substr(0, bytes.find("\xFF\xFB") + 40));
    return cut;
}

fs::path Wave(const fs::path& folder) {
    const fs::path path = folder / "wave.mp3";
    [[maybe_unused]] const int status = std::system(
        ("sox -q -n -r 44100 -c 2 -b 16 -t wav '" + path.string() + "' synth 1 sine 440 vol 0.5").c_str());
    return path;
}

fs::path Text(const fs::path& folder, const std::string& name, const std::string& bytes) {
    WriteBytes(folder / name, bytes);
    return folder / name;
}

// Encoder delay and padding add a few frames (26 ms at 44.1 kHz, up to 48 ms at lower rates).
const double kSlack = 0.1;

INSTANTIATE_TEST_SUITE_P(
    Files, MediaInfoTest,
    ::testing::Values(Case{"TaggedCbr", [](auto& f) { return Mp3(f, "a.mp3", 3.0, "Hello 你好"); }, true, 3.0,
                           kSlack, "Hello 你好"},
                      Case{"UntaggedWithInfoHeader", [](auto& f) { return Mp3(f, "Untagged Song.mp3", 2.0); },
                           true, 2.0, kSlack, "Untagged Song"},
                      Case{"NoInfoHeader64k", [](auto& f) { return Mp3(f, "plain.mp3", 2.5, "", 64, false); },
                           true, 2.5, kSlack, "plain"},
                      Case{"BlankTitleFallsBackToName",
                           [](auto& f) { return Mp3(f, "名字.MP3", 1.0, "   "); }, true, 1.0, kSlack, "名字"},
                      Case{"RawByteCutWithoutHeader", RawCut, true, 1.0, kSlack, "tcut"},
                      Case{"Empty", [](auto& f) { return Text(f, "empty.mp3", ""); }, false, 0.0, 0.0,
                           "empty"},
                      Case{"TextFile", [](auto& f) { return Text(f, "notes.mp3", std::string(5000, 'x')); },
                           false, 0.0, 0.0, "notes"},
                      Case{"TagOnly", Truncated, false, 0.0, 0.0, "Whole"},
                      Case{"WaveData", Wave, false, 0.0, 0.0, "wave"},
                      Case{"Missing", [](auto& f) { return f / "gone.mp3"; }, false, 0.0, 0.0, "gone"},
                      Case{"Folder",
                           [](auto& f) {
                               fs::create_directory(f / "dir.mp3");
                               return f / "dir.mp3";
                           },
                           false, 0.0, 0.0, "dir"},
                      Case{"EmptyPath", [](auto&) { return fs::path(); }, false, 0.0, 0.0, ""}),
    [](const auto& info) { return info.param.name; });

// Files of 4.4 GiB that are sparse (cheap to make): the first bytes given, then a hole of zeros. Their
// information comes from a header, the first frames and the size, never from a scan of the whole file.
TEST(MediaInfoOfHugeFiles, ReadsOnlyTheirStartAndTheirSize) {
    test::TempDir dir;
    const std::int64_t size = (std::int64_t{44} << 30) / 10;
    const std::string plain = ReadBytes(Mp3(dir.path(), "plain.mp3", 2.0, "", 64, false));
    const std::string tagged = ReadBytes(Mp3(dir.path(), "tagged.mp3", 2.0, "Huge"));
    const std::string tagOnly = std::string("ID3\x03\x00\x00\x00\x00\x00\x64", 10) + std::string(100, '\0');
    struct Row {
        std::string name;
        std::string head;
        bool playable;
        double seconds;
        double tolerance;
    };
    const Row rows[] = {
        {"zeros", "", false, 0, 0},
        {"text", std::string(5000, 'x'), false, 0, 0},
        {"riff", "RIFF\xff\xff\xff\xffWAVEfmt ", false, 0, 0},
        {"tag", tagOnly, false, 0, 0},
        // Without an Info header the length is the size over the first frame's bit rate (64 kbit/s).
        {"plain", plain, true, static_cast<double>(size) / 8000, static_cast<double>(size) / 8000 / 100},
        // With one, the header's frame count.
        {"tagged", tagged, true, 2.0, kSlack},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path path = dir.path() / (row.name + ".mp3");
        WriteBytes(path, row.head);
        fs::resize_file(path, static_cast<std::uintmax_t>(size));
        const std::int64_t before = test::ProcessIoCount("rchar");
        const MediaInfo info = ReadMediaInfo(path);
        const std::int64_t read = test::ProcessIoCount("rchar") - before;
        EXPECT_EQ(info.playable, row.playable);
        EXPECT_NEAR(info.durationSeconds, row.seconds, row.tolerance);
        EXPECT_LT(read, std::int64_t{4} << 20);
        fs::remove(path);
    }
}

} // namespace
} // namespace trimvox
