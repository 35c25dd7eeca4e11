// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace trimvox::test {

// One stretch of a test recording.
struct Stretch {
    enum Kind { Tone, Silence, Noise } kind = Tone;
    double seconds = 1.0;
    double peakDb = -6.0;       // the stretch's peak level (dBFS); unused for silence
    double frequencyHz = 440.0; // of a tone
};

inline Stretch ToneOf(double seconds, double frequencyHz = 440.0, double peakDb = -6.0) {
    return Stretch{Stretch::Tone, seconds, peakDb, frequencyHz};
}
inline Stretch SilenceOf(double seconds) {
    return Stretch{Stretch::Silence, seconds, 0.0, 0.0};
}
inline Stretch NoiseOf(double seconds, double peakDb) {
    return Stretch{Stretch::Noise, seconds, peakDb, 0.0};
}

// The sample where each stretch starts (and, last, the total) at 44.1 kHz.
std::vector<std::int64_t> StretchStarts(const std::vector<Stretch>& stretches);

// Writes the stretches as 44.1 kHz stereo 16-bit PCM (tones as sines, noise as pseudo-random samples of
// exactly that peak) and encodes them with lame at 128 kbit/s CBR (with its Info header, so a gapless
// decoder gives back exactly the samples written). Throws std::runtime_error when lame fails.
void MakeShapedMp3(const std::filesystem::path& path, const std::vector<Stretch>& stretches);

} // namespace trimvox::test
