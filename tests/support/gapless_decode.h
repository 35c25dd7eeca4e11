// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <vector>

namespace trimvox::test {

// What libmpg123 makes of an MP3 file with gapless decoding on (as players do): its samples mixed to mono,
// 16 bits, and the delay and padding it read from the file's LAME tag (-1 when it read none).
struct GaplessDecode {
    std::vector<short> samples;
    long delay = -1;
    long padding = -1;
    int errors = 0; // frames libmpg123 could not decode
};

GaplessDecode DecodeGapless(const std::filesystem::path& path);

} // namespace trimvox::test
