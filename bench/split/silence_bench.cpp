// SPDX-License-Identifier: GPL-3.0-or-later
// Silence detection over a 60-minute 128 kbit/s MP3 file: an "album" of 20 tracks (two tones under a noise
// floor, slowly swelling, 150 to 210 s each) with 2 s of silence between them, made with lame at the start
// (kept in the folder and reused by later runs). Reports per pass the time, the speed over real time and
// this process's peak resident memory, for:
//   - the decoding alone (libmpg123, gapless, 16-bit), the floor of any detector that decodes;
//   - DetectSilence (the decoding plus the detector);
//   - DetectSilenceWithPeaks (the same pass also making 1000 waveform columns);
//   - `mp3splt -s` in pretend mode (-P: it finds the split points and writes nothing), when installed, and
//     `mp3splt -s` writing its pieces, with the child's processor time and (through GNU time, where
//     installed) its peak resident memory.
//
//   silence_bench [--dir FOLDER] [benchmark options]   (FOLDER defaults to /tmp/trimvox-silence-bench)
#include "discarding_sink.h"
#include "split/decode_pass.h"
#include "split/silence_detection.h"
#include "tone_mp3_pipe.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using namespace trimvox;

namespace {

constexpr int kRate = 44100;
constexpr int kTracks = 20;
constexpr double kGapSeconds = 2.0;
constexpr double kHourSeconds = 3600.0;

fs::path g_folder = "/tmp/trimvox-silence-bench";
fs::path g_source;

double PeakRssMiB(int who) {
    rusage usage{};
    getrusage(who, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

// Track lengths from 150 to 210 s that, with the gaps, fill the hour.
std::vector<double> TrackSeconds() {
    std::vector<double> lengths;
    double sum = 0;
    for (int t = 0; t < kTracks; ++t) {
        lengths.push_back(150.0 + 60.0 * ((t * 7) % kTracks) / (kTracks - 1));
        sum += lengths.back();
    }
    const double scale = (kHourSeconds - kGapSeconds * (kTracks - 1)) / sum;
    for (double& length : lengths) {
        length *= scale;
    }
    return lengths;
}

void MakeSource(const fs::path& path) {
    bench::ToneMp3Pipe mp3(path, "silence_bench");
    const std::vector<double> lengths = TrackSeconds();
    for (int t = 0; t < kTracks; ++t) {
        const double f1 = 220.0 * std::pow(2.0, t / 12.0);
        mp3.writeTones(0, static_cast<std::int64_t>(lengths[t] * kRate), f1, f1 * 1.5, 7.0);
        if (t + 1 < kTracks) {
            mp3.writeSilence(kGapSeconds);
        }
    }
    mp3.finish();
}

void Report(benchmark::State& state, double seconds) {
    state.counters["x_realtime"] =
        benchmark::Counter(kHourSeconds * static_cast<double>(state.iterations()) / std::max(seconds, 1e-9));
    state.counters["peak_rss_MiB"] = PeakRssMiB(RUSAGE_SELF);
}

using NoSink = bench::DiscardingSink;

void BM_DecodeAlone(benchmark::State& state) {
    const std::atomic<bool> stop{false};
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        NoSink sink;
        DecodedBlockSink* sinks[] = {&sink};
        benchmark::DoNotOptimize(DecodeToSinks(g_source, sinks, stop));
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    Report(state, total);
}

void BM_DetectSilence(benchmark::State& state) {
    const std::atomic<bool> stop{false};
    double total = 0;
    std::size_t pieces = 0, silences = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const auto report = DetectSilence(g_source, SilenceOptions{}, stop);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        pieces = report ? report->pieces.size() : 0;
        silences = report ? report->silences.size() : 0;
    }
    Report(state, total);
    state.counters["pieces"] = static_cast<double>(pieces);
    state.counters["silences"] = static_cast<double>(silences);
}

void BM_DetectSilenceWithPeaks(benchmark::State& state) {
    const std::atomic<bool> stop{false};
    double total = 0;
    std::size_t pieces = 0;
    for (auto _ : state) {
        int columns = 0;
        const auto start = std::chrono::steady_clock::now();
        const auto report = DetectSilenceWithPeaks(
            g_source, SilenceOptions{}, 1000, 0.0, [&](int, PeakPair) { ++columns; }, stop);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        pieces = report ? report->pieces.size() : 0;
        benchmark::DoNotOptimize(columns);
    }
    Report(state, total);
    state.counters["pieces"] = static_cast<double>(pieces);
}

struct ChildRun {
    int status = -1;
    double cpuSeconds = 0; // user and system time of the child
    double peakRssMiB = 0; // from GNU time; 0 where it is not installed
};

// Runs a program with its output thrown away, under GNU time where it is installed (the child's own
// ru_maxrss from wait4 is no use: a child spawned from this process counts this process's pages, as its
// peak is taken before the exec).
ChildRun Run(std::vector<std::string> args) {
    const fs::path timeOut = g_folder / "time.out";
    const bool gnuTime = fs::exists("/usr/bin/time");
    if (gnuTime) {
        args.insert(args.begin(), {"/usr/bin/time", "-f", "%M", "-o", timeOut.string()});
    }
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    ChildRun run;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        rusage usage{};
        int status = 0;
        if (wait4(pid, &status, 0, &usage) == pid && WIFEXITED(status)) {
            run.status = WEXITSTATUS(status);
            run.cpuSeconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                             static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
    if (gnuTime) {
        std::ifstream in(timeOut);
        double kib = 0;
        std::string line;
        while (std::getline(in, line)) {
            kib = std::atof(line.c_str()); // the last line; "Command exited with ..." may come first
        }
        run.peakRssMiB = kib / 1024.0;
    }
    return run;
}

// mp3splt in a child process, timed from start to exit (its options: threshold -50 dB, minimum 1 s).
void RunMp3splt(benchmark::State& state, bool pretend) {
    if (std::system("command -v mp3splt >/dev/null 2>&1") != 0) {
        state.SkipWithError("mp3splt is not installed");
        return;
    }
    const fs::path out = g_folder / "mp3splt-out";
    double total = 0;
    double cpu = 0;
    double peak = 0;
    for (auto _ : state) {
        fs::remove_all(out);
        fs::create_directories(out);
        std::vector<std::string> args{"mp3splt", "-Q", "-N", "-n"};
        if (pretend) {
            args.push_back("-P");
        }
        // Named strings: a temporary's c_str() in a braced list would dangle.
        const std::string folder = out.string();
        const std::string source = g_source.string();
        args.insert(args.end(), {"-s", "-p", "th=-50,min=1", "-d", folder, source});
        const auto start = std::chrono::steady_clock::now();
        const ChildRun run = Run(args);
        total += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (run.status != 0) {
            state.SkipWithError("mp3splt failed");
            return;
        }
        cpu += run.cpuSeconds;
        peak = std::max(peak, run.peakRssMiB);
        if (!pretend) {
            state.counters["pieces"] =
                static_cast<double>(std::distance(fs::directory_iterator(out), fs::directory_iterator{}));
        }
    }
    state.counters["x_realtime"] =
        benchmark::Counter(kHourSeconds * static_cast<double>(state.iterations()) / std::max(total, 1e-9));
    state.counters["child_cpu_s"] = cpu / static_cast<double>(state.iterations());
    state.counters["child_peak_rss_MiB"] = peak;
    fs::remove_all(out);
}

void BM_Mp3spltPretend(benchmark::State& state) {
    RunMp3splt(state, true);
}
void BM_Mp3spltWriting(benchmark::State& state) {
    RunMp3splt(state, false);
}

} // namespace

BENCHMARK(BM_DecodeAlone)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_DetectSilence)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_DetectSilenceWithPeaks)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Mp3spltPretend)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_Mp3spltWriting)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

int main(int argc, char** argv) {
    std::vector<char*> rest{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--dir" && i + 1 < argc) {
            g_folder = argv[++i];
        } else {
            rest.push_back(argv[i]);
        }
    }
    int count = static_cast<int>(rest.size());
    benchmark::Initialize(&count, rest.data());
    fs::create_directories(g_folder);
    g_source = g_folder / "album-60min-128k.mp3";
    if (!fs::exists(g_source)) {
        std::fprintf(stderr, "silence_bench: making %s (a minute or two)...\n", g_source.c_str());
        MakeSource(g_source);
    }
    std::fprintf(stderr, "silence_bench: peak resident memory before the runs: %.1f MiB\n",
                 PeakRssMiB(RUSAGE_SELF));
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
