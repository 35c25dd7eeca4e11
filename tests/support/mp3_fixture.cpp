// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/mp3_fixture.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace trimvox::test {

namespace {

std::string Quote(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'') {
            quoted += "'\\''";
        } else {
            quoted += c;
        }
    }
    return quoted + "'";
}

void Run(const std::string& command) {
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("command failed: " + command);
    }
}

} // namespace

void MakeMp3(const std::filesystem::path& path, const Mp3Options& options) {
    const std::string wav = path.string() + ".fixture.wav";
    Run("sox -q -n -r 44100 -c 2 -b 16 " + Quote(wav) + " synth " + std::to_string(options.seconds) +
        " sine " + std::to_string(options.frequencyHz) + " vol " + std::to_string(options.volume) +
        (options.leadingSilence > 0 ? " pad " + std::to_string(options.leadingSilence) : std::string()));
    std::string lame = options.variableBitRate
                           ? std::string("lame --quiet -V 4")
                           : "lame --quiet --cbr -b " + std::to_string(options.bitrateKbps);
    if (!options.infoHeader) {
        lame += " -t";
    }
    if (!options.title.empty()) {
        lame += " --add-id3v2 --tt " + Quote(options.title);
    }
    Run(lame + " " + Quote(wav) + " " + Quote(path.string()));
    std::remove(wav.c_str());
}

} // namespace trimvox::test
