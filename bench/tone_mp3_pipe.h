// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

namespace trimvox::bench {

// The long MP3 files some benchmarks read, made once: 16-bit stereo samples at 44.1 kHz piped into lame
// (joint stereo, 128 kbit/s CBR), written beside the file and renamed into place once whole. A failure ends
// the benchmark with a message.
class ToneMp3Pipe {
public:
    static constexpr int kRate = 44100;

    ToneMp3Pipe(std::filesystem::path path, const char* who)
        : path_(std::move(path)), partial_(path_.string() + ".partial"), who_(who) {
        const std::string command =
            "lame --quiet -r -s 44.1 --bitwidth 16 --signed --little-endian -m j --cbr -b 128 - '" +
            partial_ + "'";
        lame_ = popen(command.c_str(), "w");
        if (lame_ == nullptr) {
            fail("cannot start lame");
        }
    }
    ToneMp3Pipe(const ToneMp3Pipe&) = delete;
    ToneMp3Pipe& operator=(const ToneMp3Pipe&) = delete;

    // Frames [from, to) of two tones (left and right) that swell and fade over `swellSeconds`, under a
    // little noise.
    void writeTones(std::int64_t from, std::int64_t to, double left, double right, double swellSeconds) {
        for (std::int64_t i = from; i < to; i += kRate) {
            block_.clear();
            for (std::int64_t k = i; k < std::min(to, i + kRate); ++k) {
                const double s = static_cast<double>(k) / kRate;
                const double swell = 0.55 + 0.45 * std::sin(2 * std::numbers::pi * s / swellSeconds);
                noise_ = noise_ * 1664525u + 1013904223u;
                const double n = (static_cast<double>(noise_ >> 8) / (1u << 24) * 2.0 - 1.0) * 0.03;
                block_.push_back(Sample(swell * 0.3 * std::sin(2 * std::numbers::pi * left * s) + n));
                block_.push_back(Sample(swell * 0.3 * std::sin(2 * std::numbers::pi * right * s) + n));
            }
            write();
        }
    }

    void writeSilence(double seconds) {
        block_.assign(static_cast<std::size_t>(seconds * kRate) * 2, 0);
        write();
    }

    void finish() {
        if (pclose(lame_) != 0) {
            fail("lame failed");
        }
        std::filesystem::rename(partial_, path_);
    }

private:
    static std::int16_t Sample(double value) { return static_cast<std::int16_t>(std::lround(value * 32767)); }

    void write() { std::fwrite(block_.data(), sizeof(std::int16_t), block_.size(), lame_); }

    [[noreturn]] void fail(const char* what) const {
        std::fprintf(stderr, "%s: %s\n", who_, what);
        std::exit(1);
    }

    std::filesystem::path path_;
    std::string partial_;
    const char* who_;
    FILE* lame_ = nullptr;
    std::vector<std::int16_t> block_;
    std::uint32_t noise_ = 1;
};

} // namespace trimvox::bench
