// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/audio_shape.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string>

namespace trimvox::test {

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;

void PutLittleEndian(std::ofstream& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
    }
}

} // namespace

std::vector<std::int64_t> StretchStarts(const std::vector<Stretch>& stretches) {
    std::vector<std::int64_t> starts{0};
    for (const Stretch& stretch : stretches) {
        starts.push_back(starts.back() + std::llround(stretch.seconds * kRate));
    }
    return starts;
}

void MakeShapedMp3(const std::filesystem::path& path, const std::vector<Stretch>& stretches) {
    const std::string wav = path.string() + ".shape.wav";
    const std::int64_t frames = StretchStarts(stretches).back();
    {
        std::ofstream out(wav, std::ios::binary);
        const auto dataBytes = static_cast<std::uint32_t>(frames * kChannels * 2);
        out.write("RIFF", 4);
        PutLittleEndian(out, 36 + dataBytes, 4);
        out.write("WAVEfmt ", 8);
        PutLittleEndian(out, 16, 4);
        PutLittleEndian(out, 1, 2);
        PutLittleEndian(out, kChannels, 2);
        PutLittleEndian(out, kRate, 4);
        PutLittleEndian(out, kRate * kChannels * 2, 4);
        PutLittleEndian(out, kChannels * 2, 2);
        PutLittleEndian(out, 16, 2);
        out.write("data", 4);
        PutLittleEndian(out, dataBytes, 4);
        std::uint32_t noise = 12345;
        for (const Stretch& stretch : stretches) {
            const std::int64_t count = std::llround(stretch.seconds * kRate);
            const double peak = 32767.0 * std::pow(10.0, stretch.peakDb / 20.0);
            for (std::int64_t i = 0; i < count; ++i) {
                double value = 0;
                if (stretch.kind == Stretch::Tone) {
                    value = peak * std::sin(2 * std::numbers::pi * stretch.frequencyHz *
                                            static_cast<double>(i) / kRate);
                } else if (stretch.kind == Stretch::Noise) {
                    noise = noise * 1664525u + 1013904223u;
                    value = peak * (static_cast<double>(noise >> 8) / (1u << 24) * 2.0 - 1.0);
                }
                const auto sample = static_cast<std::int16_t>(std::lround(value));
                for (int c = 0; c < kChannels; ++c) {
                    PutLittleEndian(out, static_cast<std::uint16_t>(sample), 2);
                }
            }
        }
    }
    const std::string command = "lame --quiet --cbr -b 128 '" + wav + "' '" + path.string() + "'";
    const int status = std::system(command.c_str());
    std::remove(wav.c_str());
    if (status != 0) {
        throw std::runtime_error("command failed: " + command);
    }
}

} // namespace trimvox::test
