// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace trimvox::test {

struct Mp3Options {
    double seconds = 3.0;
    int bitrateKbps = 128;        // constant bit rate
    std::string title;            // ID3 title; empty for no tag at all
    bool infoHeader = true;       // false: no Xing/Info frame (lame -t)
    double frequencyHz = 440.0;   // the sine tone's pitch
    double volume = 0.5;          // the tone's amplitude, 0 to 1
    double leadingSilence = 0;    // seconds of silence before the tone (the file is that much longer)
    bool variableBitRate = false; // lame -V 4 instead of the constant bit rate
};

// A tone of `seconds` at `volume` after `leadingSilence` seconds of silence: a file of known loudness.
inline Mp3Options LoudnessShape(double seconds, double volume, double leadingSilence = 0) {
    Mp3Options options;
    options.seconds = seconds;
    options.volume = volume;
    options.leadingSilence = leadingSilence;
    return options;
}

// Makes a real MP3 file with sox (a sine tone) and lame. Throws std::runtime_error when a tool fails.
void MakeMp3(const std::filesystem::path& path, const Mp3Options& options = {});

} // namespace trimvox::test
