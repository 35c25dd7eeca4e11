#pragma once

#include <filesystem>
#include <string>

namespace trimvox::test {

struct Mp3Options {
    double seconds = 3.0;
    int bitrateKbps = 128;      // constant bit rate
    std::string title;          // ID3 title; empty for no tag at all
    bool infoHeader = true;     // false: no Xing/Info frame (lame -t)
    double frequencyHz = 440.0; // the sine tone's pitch
};

// Makes a real MP3 file with sox (a sine tone) and lame. Throws std::runtime_error when a tool fails.
void MakeMp3(const std::filesystem::path& path, const Mp3Options& options = {});

} // namespace trimvox::test
