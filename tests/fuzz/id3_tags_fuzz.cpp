// SPDX-License-Identifier: GPL-3.0-or-later
// The tag readers on any bytes as the start or the end of a file: the ID3v2 length in memory and from an
// open file (a memory file here), the ID3v1 test of the last 128 bytes, the title through TagLib, and the
// Xing/Info header frame with its LAME extension.
#include "fuzz_check.h"
#include "fuzz_files.h"
#include "mp3/id3v1_tag.h"
#include "mp3/id3v2_tag.h"
#include "mp3/tag_title.h"
#include "mp3/xing_frame.h"

using namespace trimvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::int64_t length = Id3v2TagLength(data, size);
    FUZZ_CHECK(length == 0 || length >= 10);
    const std::size_t tail = size >= kId3v1Length ? size - kId3v1Length : 0;
    (void)IsId3v1Tag(data + tail, size - tail);
    (void)ReadXingHeader(data, size);
    (void)ReadLameExtension(data, size);

    fuzz::MemoryFile& file = fuzz::MemoryFile::Instance();
    file.Fill(data, size);
    const std::int64_t leading = LeadingTagSize(file.fd(), file.size());
    FUZZ_CHECK(leading >= 0 && leading <= file.size());
    FUZZ_CHECK(leading == 0 || leading == length);
    (void)ReadTagTitle(file.fd(), file.size(), leading);
    return 0;
}
