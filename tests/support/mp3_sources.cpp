// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/mp3_sources.h"

#include "support/shell_command.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace trimvox::test {

namespace {

std::string Noise(const Mp3SourceKind& kind, const std::string& wav, double seconds, double volume) {
    return "sox -q -R -n -r " + std::to_string(kind.sampleRate) + " -c " + std::to_string(kind.channels) +
           " -b 16 " + ShellQuote(wav) + " synth " + std::to_string(seconds) + " pinknoise vol " +
           std::to_string(volume);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

std::vector<Mp3SourceKind> TaggedSourceKinds() {
    return {
        {"CBR 128k", 44100, 2, "--cbr -b 128", false},
        {"VBR -V2", 44100, 2, "-V2", false},
        {"uneven VBR", 44100, 2, "-V2", true},
        {"48 kHz mono", 48000, 1, "-V4 -m m", false},
        {"22.05 kHz MPEG-2", 22050, 2, "--cbr -b 64", false},
    };
}

void MakeTaggedMp3(const std::filesystem::path& path, const Mp3SourceKind& kind, double seconds) {
    const std::string base = path.string();
    const std::string wav = base + ".fixture.wav", cover = base + ".cover.png";
    if (kind.unevenLoudness) {
        const std::string quiet = base + ".quiet.wav", loud = base + ".loud.wav";
        RunOrThrow(Noise(kind, quiet, seconds / 2, 0.01));
        RunOrThrow(Noise(kind, loud, seconds / 2, 0.8));
        RunOrThrow("sox -q " + ShellQuote(quiet) + " " + ShellQuote(loud) + " " + ShellQuote(wav));
        std::remove(quiet.c_str());
        std::remove(loud.c_str());
    } else {
        RunOrThrow(Noise(kind, wav, seconds, 0.4));
    }
    RunOrThrow("convert -size 64x64 gradient:red-blue " + ShellQuote(cover));
    RunOrThrow("lame --quiet " + kind.lameOptions +
               " --add-id3v2 --tt 'Precise 精确' --ta Artist --tl Album --ti " + ShellQuote(cover) + " " +
               ShellQuote(wav) + " " + ShellQuote(base));
    std::remove(wav.c_str());
    std::remove(cover.c_str());
}

DecodedAudio DecodeWithMpg123(const std::filesystem::path& path) {
    const std::string pcm = path.string() + ".pcm", err = path.string() + ".err";
    RunOrThrow("mpg123 --mono -s " + ShellQuote(path.string()) + " >" + ShellQuote(pcm) + " 2>" +
               ShellQuote(err));
    DecodedAudio audio;
    const std::string bytes = ReadText(pcm);
    audio.samples.resize(bytes.size() / 2);
    for (std::size_t i = 0; i < audio.samples.size(); ++i) {
        audio.samples[i] = static_cast<short>(static_cast<unsigned char>(bytes[2 * i]) |
                                              (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    // Besides its banner and the stream's description, mpg123 prints what went wrong while decoding.
    std::istringstream lines(ReadText(err));
    for (std::string line; std::getline(lines, line);) {
        std::string lower;
        for (const char c : line) {
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        for (const char* sign : {"error", "warning", "can't", "cannot", "resync", "giving up", "illegal"}) {
            if (lower.find(sign) != std::string::npos) {
                audio.messages += line + "\n";
                break;
            }
        }
    }
    std::remove(pcm.c_str());
    std::remove(err.c_str());
    return audio;
}

} // namespace trimvox::test
