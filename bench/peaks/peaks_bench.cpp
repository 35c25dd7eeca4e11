// SPDX-License-Identifier: GPL-3.0-or-later
// The peaks at every zoom, on a 60-minute 128 kbit/s MP3 file (a swelling two-tone signal under a little
// noise, made with lame at the first run and kept in the folder):
//   - BM_DecodeAlone: one decoding pass into a sink that does nothing, the floor of anything that decodes;
//   - BM_FinePeaks: the same pass making the fine peaks (256 samples per pixel, 8 bits);
//   - BM_FinePeaksAndSilences: the same pass also finding the silences (what the segments window does);
//   - BM_CachedReopen: a reopen whose peaks are cached: the .dat read, the levels derived, and the whole
//     file's waveform in 1600 columns taken from them;
//   - BM_ThreeHourPeaks: the bytes the peaks of a 3-hour 44.1 kHz stereo file take, all levels (fed from
//     made-up samples, not decoded).
//
//   peaks_bench [--dir FOLDER] [benchmark options]   (FOLDER defaults to /tmp/trimvox-peaks-bench)
#include "discarding_sink.h"
#include "peaks/fine_peaks_sink.h"
#include "peaks/peak_cache.h"
#include "peaks/peak_pyramid.h"
#include "peaks/peaks_pass.h"
#include "split/decode_pass.h"
#include "split/silence_detector.h"
#include "tone_mp3_pipe.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace trimvox;

namespace {

constexpr int kRate = 44100;
constexpr double kHourSeconds = 3600.0;

fs::path g_folder = "/tmp/trimvox-peaks-bench";
fs::path g_source;

void MakeSource(const fs::path& path) {
    bench::ToneMp3Pipe mp3(path, "peaks_bench");
    mp3.writeTones(0, static_cast<std::int64_t>(kHourSeconds * kRate), 220, 330, 11.0);
    mp3.finish();
}

using NoSink = bench::DiscardingSink;

void BM_DecodeAlone(benchmark::State& state) {
    const std::atomic<bool> stop{false};
    for (auto _ : state) {
        NoSink sink;
        DecodedBlockSink* sinks[] = {&sink};
        benchmark::DoNotOptimize(DecodeToSinks(g_source, sinks, stop));
    }
    state.counters["x_realtime"] = benchmark::Counter(kHourSeconds * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
}

void BM_FinePeaks(benchmark::State& state) {
    const std::atomic<bool> stop{false};
    std::size_t bytes = 0;
    for (auto _ : state) {
        FinePeaksSink sink;
        DecodedBlockSink* sinks[] = {&sink};
        benchmark::DoNotOptimize(DecodeToSinks(g_source, sinks, stop));
        bytes = sink.level().pairs.size();
    }
    state.counters["x_realtime"] = benchmark::Counter(kHourSeconds * static_cast<double>(state.iterations()),
                                                      benchmark::Counter::kIsRate);
    state.counters["fine_KiB"] = static_cast<double>(bytes) / 1024.0;
}

// What the segments window's opening pass does: the fine peaks and the silence detector on one pass.
void BM_FinePeaksAndSilences(benchmark::State& state) {
    const std::atomic<bool> stop{false};
    for (auto _ : state) {
        FinePeaksSink sink;
        SilenceDetector detector(-50.0, 1.0);
        DecodedBlockSink* sinks[] = {&sink, &detector};
        benchmark::DoNotOptimize(DecodeToSinks(g_source, sinks, stop));
    }
}

void BM_CachedReopen(benchmark::State& state) {
    const PeakCache cache(g_folder / "cache");
    const std::atomic<bool> stop{false};
    if (!cache.load(g_source)) {
        LoadPeaks(g_source, &cache, stop); // the first open, not timed
    }
    for (auto _ : state) {
        std::optional<LoadedPeaks> peaks = LoadPeaks(g_source, &cache, stop);
        if (!peaks || !peaks->fromCache) {
            state.SkipWithError("not cached");
            return;
        }
        const double perColumn = static_cast<double>(peaks->peaks.totalSamples()) / 1600.0;
        int sum = 0;
        for (int x = 0; x < 1600; ++x) {
            sum += peaks->peaks.span(x * perColumn, (x + 1) * perColumn).high;
        }
        benchmark::DoNotOptimize(sum);
    }
}

void BM_ThreeHourPeaks(benchmark::State& state) {
    for (auto _ : state) {
        FinePeaksSink sink;
        const std::int64_t total = static_cast<std::int64_t>(3 * kHourSeconds * kRate);
        sink.onFormat(DecodedFormat{kRate, 2, total});
        std::vector<std::int16_t> block(1152 * 2);
        for (std::size_t i = 0; i < block.size(); ++i) {
            block[i] = static_cast<std::int16_t>((i * 7919) % 20000 - 10000);
        }
        for (std::int64_t at = 0; at < total; at += 1152) {
            sink.onBlock(at, block.data(),
                         static_cast<std::size_t>(std::min<std::int64_t>(1152, total - at)));
        }
        sink.onEnd(total);
        const PeakPyramid pyramid(sink.take());
        state.counters["all_levels_MiB"] = static_cast<double>(pyramid.bytes()) / (1024.0 * 1024.0);
        state.counters["fine_MiB"] = static_cast<double>(pyramid.fine().pairs.capacity()) / (1024.0 * 1024.0);
    }
}

} // namespace

BENCHMARK(BM_DecodeAlone)->Unit(benchmark::kSecond)->Iterations(3);
BENCHMARK(BM_FinePeaks)->Unit(benchmark::kSecond)->Iterations(3);
BENCHMARK(BM_FinePeaksAndSilences)->Unit(benchmark::kSecond)->Iterations(3);
BENCHMARK(BM_CachedReopen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThreeHourPeaks)->Unit(benchmark::kSecond)->Iterations(1);

int main(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--dir") {
            g_folder = argv[i + 1];
            for (int k = i; k + 2 < argc + 1; ++k) {
                argv[k] = argv[k + 2];
            }
            argc -= 2;
            break;
        }
    }
    fs::create_directories(g_folder);
    g_source = g_folder / "tones-60min-128k.mp3";
    if (!fs::exists(g_source)) {
        std::fprintf(stderr, "peaks_bench: making %s with lame (once)\n", g_source.c_str());
        MakeSource(g_source);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
