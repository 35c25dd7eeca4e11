// SPDX-License-Identifier: GPL-3.0-or-later
// One redraw of the segments window's detail view (1600 × 300 pixels, 20 segments shown as spans with
// titles, the play position and the pointer's read-out) over the peaks of a 60-minute 44.1 kHz file, at
// zooms from the whole hour down to the deepest (0.5 ms per pixel); and a reopen of peaks_bench's 60-minute
// file whose peaks are cached, from openFile to the window's first full paint (run peaks_bench first, or
// pass --file MP3). Run with QT_QPA_PLATFORM=offscreen.
#include "app/segments/segments_window.h"
#include "app/segments/waveform_view.h"
#include "peaks/peak_cache.h"
#include "peaks/peaks_pass.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

using namespace trimvox;

namespace {

constexpr long kRate = 44100;
constexpr std::int64_t kHour = 3600LL * kRate;

std::shared_ptr<const PeakPyramid> HourOfPeaks() {
    PeakLevel fine;
    fine.rate = kRate;
    fine.samplesPerPixel = 256;
    fine.totalSamples = kHour;
    const std::size_t pixels = static_cast<std::size_t>((kHour + 255) / 256);
    fine.pairs.resize(2 * pixels);
    for (std::size_t p = 0; p < pixels; ++p) {
        const auto a = static_cast<std::int8_t>(40 + 30 * std::sin(p * 0.001));
        fine.pairs[2 * p] = static_cast<std::int8_t>(-a);
        fine.pairs[2 * p + 1] = a;
    }
    return std::make_shared<const PeakPyramid>(std::move(fine));
}

void BM_DetailRedraw(benchmark::State& state) {
    static const std::shared_ptr<const PeakPyramid> peaks = HourOfPeaks();
    WaveformView view;
    view.resize(1600, 300);
    view.setPeaks(peaks);
    SegmentList list(kRate, kHour);
    for (int i = 0; i < 20; ++i) {
        list.add(
            Segment{i * kHour / 20, (i + 1) * kHour / 20 - kRate, "第 " + std::to_string(i + 1) + " 首", {}});
    }
    view.setList(list);
    view.setSelectedSegment(3);
    const double secondsPerPixel = static_cast<double>(state.range(0)) / 1e6;
    view.showRange(kHour / 2.0, kHour / 2.0 + secondsPerPixel * kRate * 1600);
    view.setPlayPosition(kHour / 2 + 1000);
    QImage image(view.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        view.render(&image);
    }
    state.counters["ms_per_pixel"] = view.scale().secondsPerPixel() * 1000.0;
}

std::filesystem::path g_file = "/tmp/trimvox-peaks-bench/tones-60min-128k.mp3";

void BM_CachedReopenWindow(benchmark::State& state) {
    if (!std::filesystem::exists(g_file)) {
        state.SkipWithError("no file: run peaks_bench first or pass --file");
        return;
    }
    const std::filesystem::path cache = std::filesystem::temp_directory_path() / "trimvox-redraw-bench-cache";
    const PeakCache peakCache(cache);
    const std::atomic<bool> stop{false};
    LoadPeaks(g_file, &peakCache, stop); // the first open, not timed
    SegmentsWindowSetup setup;
    setup.cacheFolder = cache;
    SegmentsWindow window(setup);
    window.resize(1600, 800);
    QImage image(window.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        window.openFile(g_file);
        if (!window.ready()) {
            state.SkipWithError("not cached");
            return;
        }
        window.render(&image);
    }
}

} // namespace

BENCHMARK(BM_CachedReopenWindow)->Unit(benchmark::kMillisecond);

// Microseconds per pixel: the whole hour (2.25 s), a minute's worth, a second's, the deepest.
BENCHMARK(BM_DetailRedraw)
    ->Arg(2250000)
    ->Arg(37500)
    ->Arg(625)
    ->Arg(10)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--file") {
            g_file = argv[i + 1];
            for (int k = i; k + 2 <= argc; ++k) {
                argv[k] = argv[k + 2 < argc ? k + 2 : argc];
            }
            argc -= 2;
            break;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
