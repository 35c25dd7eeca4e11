// SPDX-License-Identifier: GPL-3.0-or-later
// The precise cut's search for frames gives up on gigabytes without any, instead of reading them through.
#include "cutting/segment_cutter.h"

#include "support/temp_data_home.h"

#include <chrono>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;

// 4.4 GiB of zeros (a sparse file: no room on the disk), and the same after 1 MB of random bytes (false sync
// words among them) or after an ID3v2 tag: each refused as holding no audio, within the test's time limit
// (reading them through took minutes).
TEST(FrameSearchBound, GigabytesWithoutFramesAreRefusedSoon) {
    test::TempDir dir;
    const std::int64_t size = (std::int64_t{44} << 30) / 10; // 4.4 GiB
    std::mt19937 random(24);
    const auto sparse = [&](const std::string& name, const std::string& head) {
        const fs::path path = dir.path() / name;
        std::ofstream(path, std::ios::binary) << head;
        fs::resize_file(path, static_cast<std::uintmax_t>(size));
        return path;
    };
    std::string noise(1'000'000, '\0');
    for (char& c : noise) {
        c = static_cast<char>(random());
    }
    const std::string tag = std::string("ID3\x03\x00\x00\x00\x00\x07\x76", 10) + std::string(1000, '\0');
    for (const fs::path& source :
         {sparse("zeros.mp3", {}), sparse("noise.mp3", noise), sparse("tag.mp3", tag)}) {
        SCOPED_TRACE(source.filename().string());
        CutRequest request;
        request.source = source;
        request.startPos = 0.0;
        request.endPos = 10.0;
        request.output = dir.path() / "cut.mp3";
        request.mode = CutMode::Precise;
        const auto began = std::chrono::steady_clock::now();
        const CutResult result = CutSegment(request);
        // Not a speed target: reading the whole file takes minutes, giving up a few seconds at most.
        EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(30));
        EXPECT_EQ(result.error, CutError::NoAudioFrames);
        EXPECT_FALSE(fs::exists(request.output));
    }
}

} // namespace
} // namespace trimvox
