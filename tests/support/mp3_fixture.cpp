// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/mp3_fixture.h"

#include "support/shell_command.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace trimvox::test {

void MakeMp3(const std::filesystem::path& path, const Mp3Options& options) {
    const std::string wav = path.string() + ".fixture.wav";
    RunOrThrow(
        "sox -q -n -r 44100 -c 2 -b 16 " + ShellQuote(wav) + " synth " + std::to_string(options.seconds) +
        " sine " + std::to_string(options.frequencyHz) + " vol " + std::to_string(options.volume) +
        (options.leadingSilence > 0 ? " pad " + std::to_string(options.leadingSilence) : std::string()));
    std::string lame = options.variableBitRate
                           ? std::string("lame --quiet -V 4")
                           : "lame --quiet --cbr -b " + std::to_string(options.bitrateKbps);
    if (!options.infoHeader) {
        lame += " -t";
    }
    if (!options.title.empty()) {
        lame += " --add-id3v2 --tt " + ShellQuote(options.title);
    }
    RunOrThrow(lame + " " + ShellQuote(wav) + " " + ShellQuote(path.string()));
    std::remove(wav.c_str());
}

} // namespace trimvox::test
