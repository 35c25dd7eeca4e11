// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/playback_watch.h"

#include <gtest/gtest.h>

namespace trimvox {
namespace {

TEST(PlaybackWatchTest, ExpectsTheLastMovingPositionPlusTheTimeSince) {
    PlaybackWatch watch;
    watch.start(1.0, 10'000);
    EXPECT_DOUBLE_EQ(watch.expected(10'500), 1.5);
    watch.observe(1.4, 10'400); // the backend reports a little behind the clock
    EXPECT_DOUBLE_EQ(watch.expected(10'500), 1.5);
    watch.observe(1.4, 10'900); // no movement: the anchor stays
    EXPECT_DOUBLE_EQ(watch.expected(11'000), 2.0);
    watch.halt();
    EXPECT_DOUBLE_EQ(watch.expected(20'000), 1.4);
}

TEST(PlaybackWatchTest, TellsEarlyEndsFromRealOnes) {
    const struct {
        const char* name;
        double start;          // where playback started
        std::int64_t endAfter; // ms from the start to the reported end
        double duration;
        bool early;
    } cases[] = {
        {"at once after opening", 0.0, 25, 3.0, true},
        {"right on time", 0.0, 3000, 3.0, false},
        {"a little before the length", 0.0, 2600, 3.0, false},
        {"after a seek near the end", 2.8, 150, 3.0, false},
        {"after a seek, far too soon", 1.0, 100, 3.0, true},
        {"short media", 0.0, 20, 0.4, false},
    };
    for (const auto& c : cases) {
        PlaybackWatch watch;
        watch.start(c.start, 1000);
        EXPECT_EQ(watch.isEarlyEnd(c.duration, 1000 + c.endAfter), c.early) << c.name;
    }
    PlaybackWatch halted;
    EXPECT_FALSE(halted.isEarlyEnd(3.0, 0));
}

TEST(PlaybackWatchTest, StallsOnlyWhenThePositionStopsMovingWhilePlaying) {
    PlaybackWatch watch;
    watch.start(0.0, 0);
    for (std::int64_t t = 100; t <= 5000; t += 100) {
        watch.observe(t / 1000.0, t);
        ASSERT_FALSE(watch.isStalled(t)) << t;
    }
    EXPECT_FALSE(watch.isStalled(5000 + PlaybackWatch::kStallMs - 1));
    EXPECT_TRUE(watch.isStalled(5000 + PlaybackWatch::kStallMs));
    watch.halt();
    EXPECT_FALSE(watch.isStalled(60'000));
}

} // namespace
} // namespace trimvox
