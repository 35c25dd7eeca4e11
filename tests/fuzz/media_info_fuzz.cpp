// SPDX-License-Identifier: GPL-3.0-or-later
// What opening a file reads at once, on any bytes (a memory file here): its title, whether it plays and its
// length, and the length estimate from the first frames after the leading tag.
#include "fuzz_check.h"
#include "fuzz_files.h"
#include "mp3/bounded_duration.h"
#include "mp3/id3v2_tag.h"
#include "mp3/media_info.h"

#include <cmath>

using namespace trimvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::MemoryFile& file = fuzz::MemoryFile::Instance();
    file.Fill(data, size);
    const MediaInfo info = ReadMediaInfo(file.path());
    FUZZ_CHECK(std::isfinite(info.durationSeconds) && info.durationSeconds >= 0.0);
    FUZZ_CHECK(info.playable || info.durationSeconds == 0.0);
    const std::optional<double> estimate =
        EstimateDuration(file.fd(), LeadingTagSize(file.fd(), file.size()), file.size());
    FUZZ_CHECK(!estimate || (std::isfinite(*estimate) && *estimate >= 0.0));
    return 0;
}
