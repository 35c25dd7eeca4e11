// SPDX-License-Identifier: GPL-3.0-or-later
// The peak levels and their cache: the fine level from a real decoding pass, the coarser levels, the .dat
// file, and the cache's hits, misses, invalidation and bound.
#include "peaks/dat_format.h"
#include "peaks/fine_peaks_sink.h"
#include "peaks/peak_cache.h"
#include "peaks/peak_pyramid.h"
#include "peaks/peaks_pass.h"
#include "split/audio_shape.h"
#include "split/silence_detector.h"
#include "support/temp_data_home.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <random>
#include <thread>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;
using test::SilenceOf;
using test::ToneOf;

PeakLevel RandomLevel(std::size_t pixels, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> value(-128, 127);
    PeakLevel level;
    level.rate = 44100;
    level.samplesPerPixel = 256;
    level.totalSamples = static_cast<std::int64_t>(pixels) * 256 - 100;
    for (std::size_t p = 0; p < pixels; ++p) {
        int a = value(random), b = value(random);
        level.pairs.push_back(static_cast<std::int8_t>(std::min(a, b)));
        level.pairs.push_back(static_cast<std::int8_t>(std::max(a, b)));
    }
    return level;
}

// Every coarser level, and every span read from the pyramid, is the min of the lows and the max of the highs
// of the fine pixels it covers.
TEST(PeakLevelsTest, CoarserLevelsAreMinMaxOfFiner) {
    for (const std::size_t pixels : {1u, 7u, 512u, 513u, 10000u}) {
        const PeakLevel fine = RandomLevel(pixels, static_cast<unsigned>(pixels));
        const PeakPyramid pyramid(fine);
        ASSERT_EQ(pyramid.fine(), fine);
        for (std::size_t l = 1; l < pyramid.levels().size(); ++l) {
            const PeakLevel& level = pyramid.levels()[l];
            const int group = level.samplesPerPixel / fine.samplesPerPixel;
            ASSERT_EQ(level.pixels(), (pixels + group - 1) / group) << pixels << " level " << l;
            for (std::size_t p = 0; p < level.pixels(); ++p) {
                std::int8_t low = 127, high = -128;
                for (std::size_t f = p * group; f < std::min(pixels, (p + 1) * group); ++f) {
                    low = std::min(low, fine.low(f));
                    high = std::max(high, fine.high(f));
                }
                ASSERT_EQ(level.low(p), low) << pixels << " level " << l << " pixel " << p;
                ASSERT_EQ(level.high(p), high) << pixels << " level " << l << " pixel " << p;
            }
        }
        EXPECT_LE(pyramid.bytes(), fine.pairs.size() * 4 / 3 + 64);
        // Spans at several sizes, against the fine level.
        std::mt19937 random(3);
        const double total = static_cast<double>(pixels) * 256;
        for (int i = 0; i < 200; ++i) {
            double a = std::uniform_real_distribution<double>(0, total)(random);
            double b = std::uniform_real_distribution<double>(0, total)(random);
            if (a > b) {
                std::swap(a, b);
            }
            const SpanPeak span = pyramid.span(a, b);
            if (span.empty) {
                continue;
            }
            std::int8_t low = 127, high = -128;
            for (auto f = static_cast<std::size_t>(a / 256); f < std::min<std::size_t>(pixels, b / 256 + 1);
                 ++f) {
                low = std::min(low, fine.low(f));
                high = std::max(high, fine.high(f));
            }
            EXPECT_LE(span.low, low); // a span is widened to whole pixels of its level, never narrowed
            EXPECT_GE(span.high, high);
        }
    }
}

// The fine level of a real file from the shared decoding pass: tones are loud, silences are zero, and the
// detector sharing the pass finds its silence.
TEST(PeakLevelsTest, FineLevelFromTheSharedPass) {
    test::TempDir dir;
    const fs::path file = dir.path() / "shape.mp3";
    test::MakeShapedMp3(file, {ToneOf(2.0, 440, -6), SilenceOf(2.0), ToneOf(1.0, 660, -20)});
    SilenceDetector detector(-50, 1.0);
    DecodedBlockSink* others[] = {&detector};
    std::atomic<bool> stop{false};
    const std::optional<PeakPyramid> peaks = DecodePeaks(file, nullptr, others, stop);
    ASSERT_TRUE(peaks);
    const PeakLevel& fine = peaks->fine();
    EXPECT_EQ(fine.totalSamples, 5 * 44100);
    EXPECT_EQ(fine.pixels(), static_cast<std::size_t>((5 * 44100 + 255) / 256));
    ASSERT_EQ(detector.silences().size(), 1u);
    // -6 dBFS is 0.5 of full scale: about ±64 of 128; -20 dBFS about ±13; silence 0.
    const SpanPeak loud = peaks->span(0.5 * 44100, 1.5 * 44100);
    const SpanPeak quiet = peaks->span(2.5 * 44100, 3.5 * 44100);
    const SpanPeak soft = peaks->span(4.2 * 44100, 4.8 * 44100);
    EXPECT_NEAR(loud.high, 64, 5);
    EXPECT_NEAR(loud.low, -64, 5);
    EXPECT_LE(std::max<int>(std::abs(quiet.low), std::abs(quiet.high)), 1);
    EXPECT_NEAR(soft.high, 13, 2);
}

TEST(PeakLevelsTest, DatFileRoundTripAndForeignFiles) {
    const PeakLevel level = RandomLevel(333, 9);
    const std::string bytes = WriteDat(level);
    ASSERT_EQ(bytes.size(), 24u + 666u + 12u);
    EXPECT_EQ(ReadDat(bytes), level);
    // What another tool wrote: no trailer, so the length is whole pixels.
    const std::optional<PeakLevel> bare = ReadDat(std::string_view(bytes).substr(0, 24 + 666));
    ASSERT_TRUE(bare);
    EXPECT_EQ(bare->totalSamples, 333 * 256);
    EXPECT_EQ(bare->pairs, level.pairs);
    struct Bad {
        const char* name;
        std::string bytes;
    };
    std::string sixteenBit = bytes;
    sixteenBit[4] = 0;
    std::string twoChannels = bytes;
    twoChannels[20] = 2;
    std::string version3 = bytes;
    version3[0] = 3;
    for (const Bad& bad :
         {Bad{"empty", ""}, Bad{"short header", bytes.substr(0, 10)}, Bad{"short data", bytes.substr(0, 100)},
          Bad{"16-bit", sixteenBit}, Bad{"two channels", twoChannels}, Bad{"version 3", version3}}) {
        EXPECT_FALSE(ReadDat(bad.bytes)) << bad.name;
    }
}

TEST(PeakLevelsTest, CacheHitsMissesInvalidationAndBound) {
    test::TempDir dir;
    const fs::path folder = dir.path() / "cache";
    const fs::path a = dir.path() / "a.mp3";
    const fs::path b = dir.path() / "b.mp3";
    test::MakeShapedMp3(a, {ToneOf(1.0)});
    test::MakeShapedMp3(b, {ToneOf(1.5)});
    std::atomic<bool> stop{false};
    const PeakCache cache(folder);

    // First open decodes and stores; the second reads the same peaks back.
    const std::optional<LoadedPeaks> first = LoadPeaks(a, &cache, stop);
    ASSERT_TRUE(first);
    EXPECT_FALSE(first->fromCache);
    const std::optional<LoadedPeaks> again = LoadPeaks(a, &cache, stop);
    ASSERT_TRUE(again);
    EXPECT_TRUE(again->fromCache);
    EXPECT_EQ(again->peaks.fine(), first->peaks.fine());

    // A changed file misses, and storing its new peaks drops the stale entry.
    const fs::path staleEntry = cache.entryFor(a);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    test::MakeShapedMp3(a, {ToneOf(2.0)});
    EXPECT_FALSE(cache.load(a));
    const std::optional<LoadedPeaks> changed = LoadPeaks(a, &cache, stop);
    ASSERT_TRUE(changed);
    EXPECT_FALSE(changed->fromCache);
    EXPECT_EQ(changed->peaks.totalSamples(), 2 * 44100);
    EXPECT_FALSE(fs::exists(staleEntry));
    EXPECT_TRUE(fs::exists(cache.entryFor(a)));

    // A damaged entry is a miss.
    std::ofstream(cache.entryFor(a), std::ios::trunc) << "junk";
    EXPECT_FALSE(cache.load(a));
    ASSERT_TRUE(cache.store(a, changed->peaks.fine()));

    // The bound: with room for one entry, storing b drops a (used longest ago); a hit on b keeps b.
    const std::uintmax_t oneEntry = fs::file_size(cache.entryFor(a)) + 300;
    const PeakCache small(folder, oneEntry);
    ASSERT_TRUE(small.store(b, RandomLevel(250, 1)));
    EXPECT_FALSE(fs::exists(cache.entryFor(a)));
    EXPECT_TRUE(small.load(b));
    std::uintmax_t total = 0;
    for (const auto& item : fs::directory_iterator(folder)) {
        total += item.file_size();
    }
    EXPECT_LE(total, oneEntry);
    // No temporary files are left behind.
    EXPECT_EQ(test::FolderNames(folder).size(), 1u);
}

TEST(PeakLevelsTest, CacheFolderFollowsXdg) {
    const char* oldXdg = std::getenv("XDG_CACHE_HOME");
    const std::string keep = oldXdg != nullptr ? oldXdg : "";
    setenv("XDG_CACHE_HOME", "/somewhere/cache", 1);
    EXPECT_EQ(DefaultPeakCacheFolder(), fs::path("/somewhere/cache/trimvox"));
    setenv("XDG_CACHE_HOME", "relative", 1); // not absolute: ignored, as the XDG rules say
    EXPECT_EQ(DefaultPeakCacheFolder(), fs::path(std::getenv("HOME")) / ".cache" / "trimvox");
    if (oldXdg != nullptr) {
        setenv("XDG_CACHE_HOME", keep.c_str(), 1);
    } else {
        unsetenv("XDG_CACHE_HOME");
    }
}

} // namespace
} // namespace trimvox
