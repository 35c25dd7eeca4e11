// SPDX-License-Identifier: GPL-3.0-or-later
// The arithmetic of the zoomable view: time and pixel at every zoom, zooming around a point, scrolling, and
// snapping a dragged edge.
#include "peaks/edge_snap.h"
#include "peaks/view_scale.h"

#include <cmath>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

constexpr long kRate = 44100;
constexpr std::int64_t kHour = 3600LL * kRate;

TEST(ViewScaleTest, TimeAndPixelAtEveryZoom) {
    struct Step {
        const char* name;
        void (*apply)(ViewScale&);
        double spp;   // expected samples per pixel after it
        double first; // expected left edge
    };
    // A 60-minute file in a 1000-pixel view.
    const Step steps[] = {
        {"opens on the whole file", [](ViewScale&) {}, kHour / 1000.0, 0},
        {"zoom out further stays whole", [](ViewScale& v) { v.zoomAround(500, 4); }, kHour / 1000.0, 0},
        {"zoom in ×10 around the middle keeps the middle", [](ViewScale& v) { v.zoomAround(500, 0.1); },
         kHour / 10000.0, kHour / 2.0 - 500 * kHour / 10000.0},
        {"zoom in around the left edge keeps the left edge", [](ViewScale& v) { v.zoomAround(0, 0.5); },
         kHour / 20000.0, kHour / 2.0 - 500 * kHour / 10000.0},
        {"scroll right by 100 pixels", [](ViewScale& v) { v.scrollBy(100); }, kHour / 20000.0,
         kHour / 2.0 - 500 * kHour / 10000.0 + 100 * kHour / 20000.0},
        {"scroll beyond the end stops at the end", [](ViewScale& v) { v.scrollBy(1e9); }, kHour / 20000.0,
         kHour - 1000 * kHour / 20000.0},
        {"deepest zoom stops at 0.5 ms per pixel", [](ViewScale& v) { v.zoomAround(1000, 1e-9); }, 22.05,
         kHour - 1000 * 22.05},
        {"scroll before the start stops at the start", [](ViewScale& v) { v.scrollBy(-1e12); }, 22.05, 0},
        {"centre on the 30th minute", [](ViewScale& v) { v.centreOn(kHour / 2.0); }, 22.05,
         kHour / 2.0 - 500 * 22.05},
        {"show one second", [](ViewScale& v) { v.showRange(60.0 * kRate, 61.0 * kRate); }, 44.1,
         60.0 * kRate},
        {"a wider window keeps the zoom", [](ViewScale& v) { v.setWidth(2000); }, 44.1, 60.0 * kRate},
        {"show everything", [](ViewScale& v) { v.showRange(0, 2.0 * kHour); }, kHour / 2000.0, 0},
    };
    ViewScale view(kRate, kHour, 1000);
    for (const Step& step : steps) {
        step.apply(view);
        EXPECT_NEAR(view.samplesPerPixel(), step.spp, 1e-6 * step.spp) << step.name;
        EXPECT_NEAR(view.firstSample(), step.first, 1e-3) << step.name;
        // Pixel and sample map to each other both ways at this zoom.
        for (const double x : {0.0, 1.0, 333.5, static_cast<double>(view.width())}) {
            EXPECT_NEAR(view.xAt(view.sampleAt(x)), x, 1e-6) << step.name;
        }
        EXPECT_GE(view.firstSample(), 0) << step.name;
        EXPECT_LE(view.lastSample(), kHour + 1e-3) << step.name;
    }
    // From the whole file to the deepest zoom: far more than 1000 times.
    EXPECT_GT(ViewScale(kRate, kHour, 1000).coarsest() / ViewScale(kRate, kHour, 1000).finest(), 1000.0);
    // A file shorter than the view at the deepest zoom: the finest zoom is the whole.
    ViewScale tiny(kRate, 1000, 1000);
    tiny.zoomAround(10, 0.001);
    EXPECT_DOUBLE_EQ(tiny.samplesPerPixel(), tiny.finest());
    EXPECT_EQ(tiny.sampleIndexAt(1e9), 1000);
    EXPECT_EQ(tiny.sampleIndexAt(-5), 0);
}

TEST(ViewScaleTest, SnapToTheNearestTargetWithinReach) {
    // Silences at [1000, 2000) and [5000, 5600); a fine level of 256 samples per pixel, quiet in pixel 40.
    PeakLevel fine;
    fine.rate = kRate;
    fine.samplesPerPixel = 256;
    fine.totalSamples = 100 * 256;
    for (int p = 0; p < 100; ++p) {
        const bool quiet = p == 40;
        fine.pairs.push_back(quiet ? 0 : -50);
        fine.pairs.push_back(quiet ? 1 : 50);
    }
    const PeakPyramid peaks(fine);
    const std::vector<Silence> silences{{1000, 2000, true}, {5000, 5600, false}};
    const std::vector<std::int64_t> targets = SnapTargets(silences, &peaks, 0, fine.totalSamples);
    EXPECT_EQ(targets, (std::vector<std::int64_t>{1000, 1500, 2000, 5000, 5300, 5600, 40 * 256 + 128}));
    EXPECT_EQ(SnapTargets(silences, &peaks, 1800, 5100), (std::vector<std::int64_t>{2000, 5000}));
    EXPECT_EQ(SnapTargets(silences, nullptr, 0, 100000),
              (std::vector<std::int64_t>{1000, 1500, 2000, 5000, 5300, 5600}));
    struct Case {
        std::int64_t sample;
        double radius;
        std::optional<std::int64_t> snapped;
    };
    for (const Case& c : {
             Case{1490, 20, 1500},    // the middle of a silence
             Case{1490, 5, {}},       // out of reach
             Case{1250, 250, 1000},   // halfway between two: the earlier
             Case{1260, 250, 1500},   // nearer the later
             Case{0, 1e9, 1000},      // before every target
             Case{99999, 1e9, 10368}, // after every target
             Case{5300, 0, 5300},     // on a target
             Case{10300, 100, 10368}, // the quiet point of the peaks
         }) {
        EXPECT_EQ(NearestTarget(targets, c.sample, c.radius), c.snapped)
            << c.sample << " within " << c.radius;
    }
    EXPECT_EQ(NearestTarget({}, 5, 100), std::nullopt);
}

} // namespace
} // namespace trimvox
