// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <unistd.h>

namespace trimvox::bench {

// The bytes the heap has handed out and not taken back, which do not depend on how the allocator keeps its
// pages.
inline double HeapInUseMiB() {
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd) / (1024.0 * 1024.0);
}

inline double ResidentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The memory of this process over many cycles of one job: the resident set and the heap in use at the
// start, every 50 cycles and at the end, and how much they grew after the first 50 (where a job that keeps
// nothing shows a flat line).
class MemoryTrend {
public:
    explicit MemoryTrend(int cycles) : cycles_(cycles) { print(0); }

    void afterCycle(int cycle) {
        if (cycle == kSettled) {
            resident50_ = ResidentMiB();
            heap50_ = HeapInUseMiB();
        }
        if (cycle % 50 == 0 || cycle == cycles_) {
            print(cycle);
        }
    }

    void report() const {
        const double perCycle = cycles_ > kSettled ? 1024.0 / (cycles_ - kSettled) : 0.0;
        const double resident = ResidentMiB() - resident50_;
        const double heap = HeapInUseMiB() - heap50_;
        std::printf(
            "resident set: start %.1f MiB, after %d cycles %.1f MiB, end %.1f MiB: %+.1f MiB after the "
            "first %d (%+.1f KiB a cycle)\n",
            resident0_, kSettled, resident50_, ResidentMiB(), resident, kSettled, resident * perCycle);
        std::printf("heap in use: %+.2f MiB after the first %d (%+.1f KiB a cycle)\n", heap, kSettled,
                    heap * perCycle);
    }

private:
    static constexpr int kSettled = 50;

    void print(int cycle) const {
        std::printf("cycle %4d  RSS %.1f MiB  heap in use %.2f MiB\n", cycle, ResidentMiB(), HeapInUseMiB());
        std::fflush(stdout);
    }

    int cycles_;
    double resident0_ = ResidentMiB();
    double resident50_ = resident0_;
    double heap50_ = HeapInUseMiB();
};

} // namespace trimvox::bench
