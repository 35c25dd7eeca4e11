// SPDX-License-Identifier: GPL-3.0-or-later
// A chapter list as video sites print it, as any bytes.
#include "list_file_fuzz.h"
#include "split/chapter_list.h"

using namespace trimvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ListInput input = fuzz::TakeListInput(data, size);
    fuzz::CheckImport(ReadChapterList(input.text, input.rate, input.totalSamples), input);
    return 0;
}
