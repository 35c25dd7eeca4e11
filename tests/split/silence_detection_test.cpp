// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/silence_detection.h"

#include "mp3/waveform_peaks.h"
#include "split/audio_shape.h"
#include "support/temp_data_home.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;
using test::NoiseOf;
using test::SilenceOf;
using test::Stretch;
using test::ToneOf;

constexpr long kRate = 44100;
constexpr std::int64_t k100ms = kRate / 10;

std::vector<std::pair<std::int64_t, std::int64_t>> BoundsOf(const SegmentList& list) {
    std::vector<std::pair<std::int64_t, std::int64_t>> bounds;
    for (const Segment& s : list.segments()) {
        bounds.emplace_back(s.start, s.end);
    }
    return bounds;
}

// The arithmetic from silences to pieces, in samples at 10 per second (so 3 s is 30).
TEST(PiecesFromSilencesTest, SilencesGivePieces) {
    using Bounds = std::vector<std::pair<std::int64_t, std::int64_t>>;
    struct Case {
        const char* name;
        std::int64_t total;
        std::vector<Silence> silences;
        bool trim;
        Bounds pieces;
        std::vector<bool> splits; // per silence
    };
    const Case cases[] = {
        {"no silence: the whole source", 200, {}, false, {{0, 200}}, {}},
        {"one silence splits in its middle (rounded down)",
         200,
         {{50, 65}},
         false,
         {{0, 57}, {57, 200}},
         {true}},
        {"trimmed: the sound only", 200, {{50, 65}}, true, {{0, 50}, {65, 200}}, {true}},
        {"silence at both ends stays untrimmed",
         200,
         {{0, 20}, {180, 200}},
         false,
         {{0, 200}},
         {false, false}},
        {"silence at both ends goes trimmed", 200, {{0, 20}, {180, 200}}, true, {{20, 180}}, {false, false}},
        {"a short stretch joins the one before, silence and all",
         200,
         {{50, 60}, {80, 90}},
         false,
         {{0, 85}, {85, 200}},
         {false, true}},
        {"the same trimmed: the joined piece keeps the silence inside it",
         200,
         {{50, 60}, {80, 90}},
         true,
         {{0, 80}, {90, 200}},
         {false, true}},
        {"a short first stretch joins the one after",
         200,
         {{10, 20}, {100, 110}},
         false,
         {{0, 105}, {105, 200}},
         {false, true}},
        {"a short last stretch joins the one before",
         200,
         {{100, 110}, {180, 190}},
         false,
         {{0, 105}, {105, 200}},
         {true, false}},
        {"all short: one piece", 70, {{10, 20}, {40, 50}}, false, {{0, 70}}, {false, false}},
        {"all silence untrimmed: the whole source", 70, {{0, 70}}, false, {{0, 70}}, {false}},
        {"all silence trimmed: nothing", 70, {{0, 70}}, true, {}, {false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SilenceOptions options;
        options.minPieceSeconds = 3.0;
        options.trimSilence = c.trim;
        const std::int64_t total = c.total;
        const SilenceReport report = PiecesFromSilences(c.silences, 10, total, options);
        EXPECT_EQ(BoundsOf(report.pieces), c.pieces);
        ASSERT_EQ(report.silences.size(), c.splits.size());
        for (std::size_t i = 0; i < c.splits.size(); ++i) {
            EXPECT_EQ(report.silences[i].split, c.splits[i]) << i;
        }
    }
}

// The detector on blocks made by hand (1000 samples a second, level -50 dBFS = 104): runs across block
// edges, a run exactly the minimum long, one loud channel of two, a loud sample at a chunk's edge.
TEST(SilenceDetectorTest, FindsQuietRunsAcrossBlocks) {
    struct Case {
        const char* name;
        int channels;
        double minSilence;
        std::vector<std::int16_t> samples; // interleaved
        std::size_t blockFrames;
        std::vector<Silence> silences;
    };
    const auto shape = [](std::vector<std::pair<int, std::int16_t>> runs, int channels = 1) {
        std::vector<std::int16_t> samples;
        for (const auto& [count, value] : runs) {
            samples.insert(samples.end(), static_cast<std::size_t>(count * channels), value);
        }
        return samples;
    };
    std::vector<std::int16_t> oneLoudChannel = shape({{300, 0}}, 2);
    oneLoudChannel[2 * 150 + 1] = -2000; // the right channel of frame 150
    const Case cases[] = {
        {"a run across three blocks", 1, 0.1, shape({{50, 5000}, {230, 0}, {20, -5000}}), 100, {{50, 280}}},
        {"the same in one block", 1, 0.1, shape({{50, 5000}, {230, 0}, {20, -5000}}), 1000, {{50, 280}}},
        {"exactly the minimum",
         1,
         0.1,
         shape({{7, 900}, {100, 103}, {1, 104}, {99, -103}, {1, 104}}),
         64,
         {{7, 107}}},
        {"quiet to the end, and from the start",
         1,
         0.05,
         shape({{60, 0}, {10, 300}, {77, 1}}),
         33,
         {{0, 60}, {70, 147}}},
        {"one loud channel breaks the run", 2, 0.1, oneLoudChannel, 128, {{0, 150}, {151, 300}}},
        {"short minimum: every sample counts",
         1,
         0.003,
         shape({{5, 0}, {1, 500}, {3, 0}, {1, 500}, {2, 0}, {1, 500}}),
         4,
         {{0, 5}, {6, 9}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SilenceDetector detector(-50.0, c.minSilence);
        detector.onFormat(DecodedFormat{1000, c.channels, -1});
        const std::size_t frames = c.samples.size() / static_cast<std::size_t>(c.channels);
        for (std::size_t f = 0; f < frames; f += c.blockFrames) {
            detector.onBlock(static_cast<std::int64_t>(f), c.samples.data() + f * c.channels,
                             std::min(c.blockFrames, frames - f));
        }
        detector.onEnd(static_cast<std::int64_t>(frames));
        EXPECT_EQ(detector.silences(), c.silences);
    }
}

class SilenceDetectionTest : public ::testing::Test {
protected:
    fs::path Make(const std::string& name, const std::vector<Stretch>& stretches) {
        const fs::path path = dir.path() / name;
        test::MakeShapedMp3(path, stretches);
        return path;
    }
    test::TempDir dir;
};

// Real files of known shape, at the default settings (-50 dBFS, 1 s, 3 s).
TEST_F(SilenceDetectionTest, FindsTheSilencesOfFilesOfKnownShape) {
    struct Case {
        const char* name;
        std::vector<Stretch> stretches;
        std::vector<int> silent; // the stretches that must be found as silences, in order
    };
    const Case cases[] = {
        {"digital silence between tones", {ToneOf(4), SilenceOf(2), ToneOf(4, 660)}, {1}},
        {"quiet noise is silence, loud noise is not",
         {ToneOf(3), NoiseOf(2, -65), ToneOf(3), NoiseOf(2, -35), ToneOf(3)},
         {1}},
        {"noise just under and just over the threshold",
         {ToneOf(3), NoiseOf(2, -55), ToneOf(3), NoiseOf(2, -45), ToneOf(3)},
         {1}},
        {"a quiet tone under the threshold is silence", {ToneOf(3), ToneOf(2, 300, -58), ToneOf(3)}, {1}},
        {"a pause shorter than the minimum silence is none", {ToneOf(3), SilenceOf(0.6), ToneOf(3)}, {}},
        {"never silent", {ToneOf(8), NoiseOf(3, -40), ToneOf(4, 880, -20)}, {}},
        {"silence at the start and the end", {SilenceOf(1.5), ToneOf(4), SilenceOf(1.5)}, {0, 2}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = Make("shape.mp3", c.stretches);
        const std::vector<std::int64_t> starts = test::StretchStarts(c.stretches);
        const std::atomic<bool> stop{false};
        const std::optional<SilenceReport> report = DetectSilence(file, SilenceOptions{}, stop);
        ASSERT_TRUE(report);
        // Gapless: exactly the samples that were encoded.
        EXPECT_EQ(report->pieces.totalSamples(), starts.back());
        EXPECT_EQ(report->pieces.rate(), kRate);
        ASSERT_EQ(report->silences.size(), c.silent.size());
        for (std::size_t i = 0; i < c.silent.size(); ++i) {
            const int k = c.silent[i];
            // The encoder smears each edge by a few milliseconds.
            EXPECT_NEAR(report->silences[i].start, starts[k], k100ms / 4) << i;
            EXPECT_NEAR(report->silences[i].end, starts[k + 1], k100ms / 4) << i;
        }
        // The pieces tile the source.
        ASSERT_FALSE(report->pieces.empty());
        EXPECT_EQ(report->pieces[0].start, 0);
        EXPECT_EQ(report->pieces[report->pieces.size() - 1].end, starts.back());
        for (std::size_t p = 1; p < report->pieces.size(); ++p) {
            EXPECT_EQ(report->pieces[p].start, report->pieces[p - 1].end);
        }
    }
}

// The album: five tones of different lengths and pitches, 2 s of silence between them, silence before and
// after. Five pieces, each boundary within 100 ms of the middle of its silence, each piece one tone; the
// same five trimmed to the tones.
TEST_F(SilenceDetectionTest, AnAlbumOfFiveTonesGivesFivePieces) {
    const std::vector<Stretch> album{SilenceOf(1.2), ToneOf(4, 330),   SilenceOf(2),  ToneOf(7.5, 440),
                                     SilenceOf(2),   ToneOf(3.2, 550), SilenceOf(2),  ToneOf(5, 660),
                                     SilenceOf(2),   ToneOf(6, 770),   SilenceOf(1.5)};
    const fs::path file = Make("album.mp3", album);
    const std::vector<std::int64_t> starts = test::StretchStarts(album);
    for (const bool trim : {false, true}) {
        SCOPED_TRACE(trim ? "trimmed" : "untrimmed");
        SilenceOptions options;
        options.trimSilence = trim;
        const std::atomic<bool> stop{false};
        const std::optional<SilenceReport> report = DetectSilence(file, options, stop);
        ASSERT_TRUE(report);
        ASSERT_EQ(report->pieces.size(), 5u);
        for (std::size_t p = 0; p < 5; ++p) {
            const Segment& piece = report->pieces[p];
            const std::int64_t toneStart = starts[2 * p + 1];
            const std::int64_t toneEnd = starts[2 * p + 2];
            if (trim) {
                EXPECT_NEAR(piece.start, toneStart, k100ms) << p;
                EXPECT_NEAR(piece.end, toneEnd, k100ms) << p;
            } else {
                if (p > 0) {
                    EXPECT_NEAR(piece.start, (starts[2 * p] + starts[2 * p + 1]) / 2, k100ms) << p;
                }
                // The whole tone and none of another.
                EXPECT_LE(piece.start, toneStart) << p;
                EXPECT_GE(piece.end, toneEnd) << p;
                if (p > 0) {
                    EXPECT_GE(piece.start, starts[2 * p]) << p; // after the tone before
                }
                if (p < 4) {
                    EXPECT_LE(piece.end, starts[2 * p + 3]) << p; // before the tone after
                }
            }
        }
        EXPECT_EQ(std::count_if(report->silences.begin(), report->silences.end(),
                                [](const Silence& s) { return s.split; }),
                  4);
    }
}

// Raised settings change what counts: a higher minimum silence skips the 2 s silences, a minimum piece
// length above the shortest tone joins it to the one before.
TEST_F(SilenceDetectionTest, SettingsChangeThePieces) {
    const std::vector<Stretch> shape{ToneOf(4), SilenceOf(2), ToneOf(2.5, 550), SilenceOf(3), ToneOf(4, 660)};
    const fs::path file = Make("settings.mp3", shape);
    struct Case {
        const char* name;
        SilenceOptions options;
        std::size_t pieces;
        std::size_t silences;
    };
    const Case cases[] = {
        {"defaults: the 2.5 s tone joins the one before", {}, 2, 2},
        {"minimum piece 2 s: three pieces", {-50, 1.0, 2.0, false}, 3, 2},
        {"minimum silence 2.5 s: only the 3 s silence", {-50, 2.5, 2.0, false}, 2, 1},
        {"threshold -100 dBFS: digital zero still counts", {-100, 1.0, 2.0, false}, 3, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::atomic<bool> stop{false};
        const auto report = DetectSilence(file, c.options, stop);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->pieces.size(), c.pieces);
        EXPECT_EQ(report->silences.size(), c.silences);
    }
}

// One pass, two consumers: the columns from the shared pass match the waveform's own, and a file that
// does not decode gives nothing.
TEST_F(SilenceDetectionTest, OnePassFeedsTheWaveformToo) {
    const fs::path file = Make("both.mp3", {ToneOf(2, 440, -20), SilenceOf(2), ToneOf(2, 440, -6)});
    std::map<int, PeakPair> shared;
    std::map<int, PeakPair> own;
    const std::atomic<bool> stop{false};
    const auto report = DetectSilenceWithPeaks(
        file, SilenceOptions{}, 60, 6.0,
        [&](int column, PeakPair peak) { EXPECT_TRUE(shared.emplace(column, peak).second) << column; }, stop);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->silences.size(), 1u);
    ASSERT_TRUE(
        ComputePeaks({file, 60, 6.0, 1}, stop, [&](int column, PeakPair peak) { own[column] = peak; }));
    ASSERT_EQ(shared.size(), 60u);
    for (const auto& [column, peak] : shared) {
        ASSERT_TRUE(own.count(column)) << column;
        EXPECT_NEAR(peak.high, own[column].high, 0.02) << column;
        EXPECT_NEAR(peak.low, own[column].low, 0.02) << column;
    }

    const fs::path junk = dir.path() / "junk.mp3";
    std::ofstream(junk) << std::string(10000, 'x');
    EXPECT_FALSE(DetectSilence(junk, SilenceOptions{}, stop));
    EXPECT_FALSE(DetectSilence(dir.path() / "missing.mp3", SilenceOptions{}, stop));
    const std::atomic<bool> stopped{true};
    EXPECT_FALSE(DetectSilence(file, SilenceOptions{}, stopped));
}

} // namespace
} // namespace trimvox
