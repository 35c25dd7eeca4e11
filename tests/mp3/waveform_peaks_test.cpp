// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/waveform_peaks.h"

#include "support/mp3_fixture.h"
#include "support/temp_data_home.h"

#include <cmath>
#include <fstream>
#include <map>
#include <mutex>
#include <string>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;

// Every column reported, by its index; a column reported twice fails the test.
std::map<int, PeakPair> Peaks(const PeakRequest& request, bool* ok = nullptr) {
    std::map<int, PeakPair> peaks;
    std::atomic<bool> stop{false};
    const bool result = ComputePeaks(request, stop, [&](int column, PeakPair peak) {
        EXPECT_TRUE(peaks.emplace(column, peak).second) << "column " << column << " twice";
    });
    if (ok != nullptr) {
        *ok = result;
    }
    return peaks;
}

class WaveformPeaksTest : public ::testing::Test {
protected:
    fs::path Mp3(const std::string& name, double toneSeconds, double volume, double silence = 0) {
        const fs::path path = dir.path() / name;
        test::MakeMp3(path, test::LoudnessShape(toneSeconds, volume, silence));
        return path;
    }
    test::TempDir dir;
};

// Files of known shape: the columns follow the loudness over time, with one or two decoding threads, with
// the length given or taken from the decoder, and a length longer or shorter than the audio.
TEST_F(WaveformPeaksTest, ColumnsFollowTheLoudnessOverTime) {
    const fs::path halfSilent = Mp3("half.mp3", 2.0, 0.5, 2.0); // 2 s silence, then 2 s at 0.5
    const fs::path loud = Mp3("loud.mp3", 3.0, 0.9);
    struct Case {
        const char* name;
        fs::path file;
        double duration;
        int workers;
        int columns;
        int reported;     // columns that must arrive
        int firstLoud;    // columns before this one are (nearly) silent
        double amplitude; // the loud columns' peak
    };
    const Case cases[] = {
        {"silent then loud, one thread", halfSilent, 4.0, 1, 40, 40, 20, 0.5},
        {"silent then loud, two threads", halfSilent, 4.0, 2, 40, 40, 20, 0.5},
        {"length from the decoder", halfSilent, 0.0, 2, 40, 40, 20, 0.5},
        {"more columns than frames", halfSilent, 4.0, 2, 569, 569, 285, 0.5},
        {"loud throughout", loud, 3.0, 2, 30, 30, 0, 0.9},
        {"length twice the audio: the right half stays empty", loud, 6.0, 1, 30, 15, 0, 0.9},
        {"length half the audio: the rest goes to the last column", loud, 1.5, 2, 30, 30, 0, 0.9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool ok = false;
        const auto peaks = Peaks({c.file, c.columns, c.duration, c.workers}, &ok);
        EXPECT_TRUE(ok);
        // The decoder's own length and the encoder's padding may leave out or add a sliver at the end.
        EXPECT_NEAR(static_cast<int>(peaks.size()), c.reported, 1);
        for (const auto& [column, peak] : peaks) {
            ASSERT_GE(column, 0);
            ASSERT_LT(column, c.columns);
            EXPECT_LE(peak.low, peak.high) << column;
            // One column either side of the edge may hold both (the encoder smears the onset a little), and
            // the last 2 % fade out with the encoder's last frame.
            if (column < c.firstLoud - 1) {
                EXPECT_LT(std::max(std::abs(peak.low), std::abs(peak.high)), 0.02) << column;
            } else if (column > c.firstLoud && column < c.reported - 1 - c.reported / 50) {
                EXPECT_NEAR(peak.high, c.amplitude, 0.06) << column;
                EXPECT_NEAR(peak.low, -c.amplitude, 0.06) << column;
            }
        }
    }
}

// The second thread finds the start of its part exactly, whatever the kind of file: two threads give the
// columns of one (the decoder's state at the seam may differ by a hair).
TEST_F(WaveformPeaksTest, TwoThreadsGiveTheColumnsOfOne) {
    const struct {
        const char* name;
        bool infoHeader;
        bool variableBitRate;
    } kinds[] = {{"constant, Info header", true, false},
                 {"constant, no header", false, false},
                 {"variable, Xing header", true, true}};
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        test::Mp3Options options = test::LoudnessShape(20.0, 0.5, 20.0);
        options.infoHeader = kind.infoHeader;
        options.variableBitRate = kind.variableBitRate;
        const fs::path file = dir.path() / "kind.mp3";
        test::MakeMp3(file, options);
        const auto one = Peaks({file, 300, 40.0, 1});
        const auto two = Peaks({file, 300, 40.0, 2});
        ASSERT_EQ(one.size(), two.size());
        for (const auto& [column, peak] : one) {
            ASSERT_EQ(two.count(column), 1u) << column;
            EXPECT_NEAR(two.at(column).low, peak.low, 0.01) << column;
            EXPECT_NEAR(two.at(column).high, peak.high, 0.01) << column;
        }
    }
}

TEST_F(WaveformPeaksTest, FilesThatDoNotDecodeGiveNoColumns) {
    const fs::path text = dir.path() / "text.mp3";
    std::ofstream(text) << std::string(20000, 'x');
    const fs::path empty = dir.path() / "empty.mp3";
    std::ofstream{empty};
    for (const fs::path& file : {text, empty, dir.path() / "missing.mp3"}) {
        bool ok = true;
        EXPECT_TRUE(Peaks({file, 100, 10.0, 2}, &ok).empty()) << file;
        EXPECT_FALSE(ok) << file;
    }
}

TEST_F(WaveformPeaksTest, StopsWithinAFrameWhenAsked) {
    const fs::path file = Mp3("long.mp3", 20.0, 0.5);
    for (int workers : {1, 2}) {
        std::atomic<bool> stop{false};
        int reported = 0;
        int afterStop = 0;
        const bool ok = ComputePeaks({file, 200, 20.0, workers}, stop, [&](int, PeakPair) {
            afterStop += stop.load() ? 1 : 0;
            if (++reported == 3) {
                stop = true;
            }
        });
        EXPECT_FALSE(ok) << workers;
        // Each thread may finish the column that its current frame completes, no more.
        EXPECT_LE(afterStop, workers - 1) << workers;
        EXPECT_LT(reported, 10) << workers;
    }
}

} // namespace
} // namespace trimvox
