// SPDX-License-Identifier: GPL-3.0-or-later
// Cuts a 1 GiB segment out of a file in the page cache and, in the same run, copies the same bytes with
// cp, dd and copy_file_range. Prints the throughput of each (median and best of the rounds), the cutter's
// ratio to each (the median of the ratios within a round, as the machine may be busy with other work), the
// cutter's ratio to the faster of cp and dd (target: at least 0.95) and the peak resident memory of this
// process (the cutter runs in it, cp and dd in children).
//
// Two segments: one that starts on a page boundary (offset 1 MiB), and one that starts one byte earlier,
// as most cuts do; there every page of the output is made of two pages of the source. dd copies the same
// bytes at the same offset; cp, which copies whole files only, copies a file that holds exactly those bytes.
//
//   cut_bench [--dir FOLDER] [--rounds N]
#include "cutting/segment_cutter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <numeric>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;
using trimvox::CopyMethod;

namespace {

constexpr std::int64_t kMiB = std::int64_t{1} << 20;
constexpr std::int64_t kSegment = std::int64_t{1} << 30;
constexpr std::int64_t kSourceSize = kSegment + 3 * kMiB;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "cut_bench: %s\n", what.c_str());
    std::exit(1);
}

// Fills the source with pseudo-random bytes (so no file system can take a shortcut on zeros).
void WriteSource(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        Fail("cannot create " + path.string());
    }
    std::vector<std::uint64_t> block(kMiB / 8);
    std::uint64_t state = 0x9E3779B97F4A7C15ull;
    for (std::int64_t done = 0; done < kSourceSize; done += kMiB) {
        for (auto& word : block) {
            state ^= state << 13;
            state ^= state >> 7;
            state ^= state << 17;
            word = state;
        }
        if (::write(fd, block.data(), kMiB) != kMiB) {
            Fail("cannot write " + path.string());
        }
    }
    ::fsync(fd);
    ::close(fd);
}

// Writes `count` bytes of `source` from `offset` to a new file `target` (for cp to copy the same bytes).
void WriteSegmentFile(const fs::path& source, std::int64_t offset, std::int64_t count,
                      const fs::path& target) {
    const int in = ::open(source.c_str(), O_RDONLY);
    const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    std::vector<char> buffer(kMiB);
    while (count > 0) {
        const ssize_t got = ::pread(in, buffer.data(), static_cast<size_t>(std::min(count, kMiB)), offset);
        if (got <= 0 || ::write(out, buffer.data(), static_cast<size_t>(got)) != got) {
            Fail("cannot write " + target.string());
        }
        offset += got;
        count -= got;
    }
    ::close(in);
    ::close(out);
}

// Reads the whole file so that it sits in the page cache.
void ReadThrough(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    std::vector<char> buffer(kMiB);
    while (::read(fd, buffer.data(), buffer.size()) > 0) {
    }
    ::close(fd);
}

// The same byte range, copied by copy_file_range in this process.
void KernelCopy(const fs::path& source, std::int64_t offset, std::int64_t count, const fs::path& target) {
    const int in = ::open(source.c_str(), O_RDONLY);
    const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    off64_t from = offset;
    while (count > 0) {
        const ssize_t moved = ::copy_file_range(in, &from, out, nullptr, static_cast<size_t>(count), 0);
        if (moved <= 0) {
            Fail("copy_file_range failed");
        }
        count -= moved;
    }
    ::close(in);
    ::close(out);
}

std::function<void()> Shell(const std::string& command) {
    return [command] {
        if (std::system(command.c_str()) != 0) {
            Fail("failed: " + command);
        }
    };
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

struct Way {
    std::string name;
    std::function<void()> run;
    std::int64_t bytes;
    std::vector<double> mibPerSecond;
};

struct Scenario {
    std::string title;
    std::vector<Way> ways; // the first is the cutter; ratios are given against every other way
};

} // namespace

int main(int argc, char** argv) {
    fs::path folder = fs::temp_directory_path();
    int rounds = 7;
    for (int i = 1; i < argc; i += 2) {
        const std::string option = argv[i];
        if (i + 1 < argc && option == "--dir") {
            folder = argv[i + 1];
        } else if (i + 1 < argc && option == "--rounds") {
            rounds = std::max(1, std::atoi(argv[i + 1]));
        } else {
            Fail("usage: cut_bench [--dir FOLDER] [--rounds N]");
        }
    }
    const fs::path work = folder / ("trimvox-cut-bench-" + std::to_string(::getpid()));
    fs::create_directories(work);
    const fs::path source = work / "source.mp3", output = work / "cut.mp3";
    WriteSource(source);
    ReadThrough(source);
    ReadThrough(source);

    // One second of the source is 1 MiB, so whole seconds map to exact byte positions: a start mark of
    // 1 + 1/2^20 s is byte position 2^20 + 1, read from offset 2^20.
    const auto cutter = [&](double start, CopyMethod method) {
        return [&, start, method] {
            trimvox::CutRequest request;
            request.source = source;
            request.duration = static_cast<double>(kSourceSize) / kMiB;
            request.startPos = start;
            request.endPos = start + static_cast<double>(kSegment - 1) / kMiB;
            request.output = output;
            request.method = method;
            const trimvox::CutResult result = trimvox::CutSegment(request);
            if (!result.ok() || result.written != kSegment) {
                Fail("the cut failed or has the wrong size: " + result.detail);
            }
        };
    };
    const auto dd = [&](std::int64_t offset) {
        return Shell("dd status=none bs=128K iflag=skip_bytes,count_bytes skip=" + std::to_string(offset) +
                     " count=" + std::to_string(kSegment) + " if='" + source.string() + "' of='" +
                     output.string() + "'");
    };
    constexpr std::int64_t kAligned = kMiB, kUnaligned = kMiB - 1;
    const fs::path alignedBytes = work / "aligned.bin", unalignedBytes = work / "unaligned.bin";
    WriteSegmentFile(source, kAligned, kSegment, alignedBytes);
    WriteSegmentFile(source, kUnaligned, kSegment, unalignedBytes);
    for (const fs::path& path : {alignedBytes, unalignedBytes}) {
        ReadThrough(path);
    }
    const auto cp = [&](const fs::path& bytes) {
        return Shell("cp '" + bytes.string() + "' '" + output.string() + "'");
    };
    const double alignedStart = 1.0 + 1.0 / kMiB, unalignedStart = 1.0;
    std::vector<Scenario> scenarios = {
        {"segment at a page boundary (offset 1 MiB)",
         {{"trimvox cut", cutter(alignedStart, CopyMethod::Fastest), kSegment, {}},
          {"trimvox cut, buffered", cutter(alignedStart, CopyMethod::ReadWrite), kSegment, {}},
          {"cp, same bytes", cp(alignedBytes), kSegment, {}},
          {"copy_file_range, same bytes",
           [&] { KernelCopy(source, kAligned, kSegment, output); },
           kSegment,
           {}},
          {"dd bs=128K, same bytes", dd(kAligned), kSegment, {}}}},
        {"segment one byte off a page boundary (offset 1 MiB - 1)",
         {{"trimvox cut", cutter(unalignedStart, CopyMethod::Fastest), kSegment, {}},
          {"trimvox cut, buffered", cutter(unalignedStart, CopyMethod::ReadWrite), kSegment, {}},
          {"copy_file_range, same bytes",
           [&] { KernelCopy(source, kUnaligned, kSegment, output); },
           kSegment,
           {}},
          {"dd bs=128K, same bytes", dd(kUnaligned), kSegment, {}},
          {"cp, same bytes", cp(unalignedBytes), kSegment, {}}}},
    };

    // Each round runs the ways in a new order: a copy's speed depends on what the one before it left in
    // memory (on a virtual machine that hands freed memory back to its host, by a factor of two), so no way
    // may always follow the same other way.
    long peakKiB = 0;
    std::mt19937 shuffle(20261208);
    for (int round = 0; round < rounds; ++round) {
        for (Scenario& scenario : scenarios) {
            std::vector<std::size_t> order(scenario.ways.size());
            std::iota(order.begin(), order.end(), std::size_t{0});
            std::shuffle(order.begin(), order.end(), shuffle);
            for (const std::size_t i : order) {
                Way& way = scenario.ways[i];
                const auto start = std::chrono::steady_clock::now();
                way.run();
                const double seconds =
                    std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
                way.mibPerSecond.push_back(static_cast<double>(way.bytes) / kMiB / seconds);
                if (fs::file_size(output) != static_cast<std::uintmax_t>(way.bytes)) {
                    Fail(way.name + " wrote the wrong size");
                }
                fs::remove(output);
                ::sync(); // every copy starts with no writes pending from the one before
            }
        }
        rusage usage{};
        ::getrusage(RUSAGE_SELF, &usage);
        peakKiB = usage.ru_maxrss;
    }
    fs::remove_all(work);

    std::printf("1 GiB segments of a %lld-byte file in the page cache (%s), %d rounds\n",
                static_cast<long long>(kSourceSize), folder.c_str(), rounds);
    const auto find = [](const Scenario& scenario, const std::string& name) -> const Way& {
        return *std::find_if(scenario.ways.begin(), scenario.ways.end(),
                             [&name](const Way& way) { return way.name == name; });
    };
    for (const Scenario& scenario : scenarios) {
        std::printf("\n%s\n  %-30s %12s %12s %16s\n", scenario.title.c_str(), "", "median MiB/s",
                    "best MiB/s", "cut / this way");
        for (const Way& way : scenario.ways) {
            std::vector<double> ratios;
            for (int round = 0; round < rounds; ++round) {
                ratios.push_back(scenario.ways.front().mibPerSecond[round] / way.mibPerSecond[round]);
            }
            std::printf("  %-30s %12.0f %12.0f %16.2f\n", way.name.c_str(), Median(way.mibPerSecond),
                        *std::max_element(way.mibPerSecond.begin(), way.mibPerSecond.end()), Median(ratios));
        }
        const Way& cpWay = find(scenario, "cp, same bytes");
        const Way& ddWay = find(scenario, "dd bs=128K, same bytes");
        std::vector<double> ratios;
        for (int round = 0; round < rounds; ++round) {
            ratios.push_back(scenario.ways.front().mibPerSecond[round] /
                             std::max(cpWay.mibPerSecond[round], ddWay.mibPerSecond[round]));
        }
        const double ratio = Median(ratios);
        std::printf("  cut / the faster of cp and dd: %.2f (target: at least 0.95; %s)\n", ratio,
                    ratio >= 0.95 ? "met" : "not met");
        // The best rounds of each: on a machine where some rounds of every way run slow for reasons of its
        // own (a virtual machine handing memory back to its host), the medians above move from run to run.
        const auto best = [](const Way& way) {
            return *std::max_element(way.mibPerSecond.begin(), way.mibPerSecond.end());
        };
        std::printf("  best cut / best of cp and dd: %.2f\n",
                    best(scenario.ways.front()) / std::max(best(cpWay), best(ddWay)));
    }
    std::printf(
        "\npeak resident memory of this process, all cuts included: %.1f MiB (target: under 32 MiB)\n",
        peakKiB / 1024.0);
    return 0;
}
