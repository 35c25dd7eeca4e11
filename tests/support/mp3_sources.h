// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace trimvox::test {

// A kind of MP3 file that users cut, made from noise (no two stretches alike, so a decoded part can be
// found again in the decoded whole) with sox and lame, tagged like a music library's files: ID3v2.3
// with title, artist and a cover picture, and ID3v1.
struct Mp3SourceKind {
    std::string name;
    int sampleRate = 44100; // of the audio given to lame (lame keeps it)
    int channels = 2;
    std::string lameOptions;     // how lame encodes ("--cbr -b 128", "-V2")
    bool unevenLoudness = false; // a quiet first half and a loud second half: the halves differ in bit rate
};

// CBR 128k, VBR -V2, uneven-bitrate VBR, 48 kHz mono, 22.05 kHz MPEG-2.
std::vector<Mp3SourceKind> TaggedSourceKinds();

// Makes such a file of `seconds` at `path`. Throws std::runtime_error when a tool fails.
void MakeTaggedMp3(const std::filesystem::path& path, const Mp3SourceKind& kind, double seconds);

// The audio of an MP3 file decoded by mpg123 (gapless, as players do), mixed to mono, 16 bits.
struct DecodedAudio {
    std::vector<short> samples;
    std::string messages; // what mpg123 printed that is not its banner or the file's description
};
DecodedAudio DecodeWithMpg123(const std::filesystem::path& path);

} // namespace trimvox::test
