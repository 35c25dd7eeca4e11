// SPDX-License-Identifier: GPL-3.0-or-later
// An Audacity label file as any bytes; a file that reads is written out again, and that text reads back as
// the same list.
#include "list_file_fuzz.h"
#include "split/label_file.h"

using namespace trimvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ListInput input = fuzz::TakeListInput(data, size);
    const ImportResult result = ReadLabelFile(input.text, input.rate, input.totalSamples);
    fuzz::CheckImport(result, input);
    if (result.ok()) {
        const ImportResult again =
            ReadLabelFile(WriteLabelFile(result.imported.list), input.rate, input.totalSamples);
        FUZZ_CHECK(again.ok());
        FUZZ_CHECK(again.imported.list == result.imported.list);
    }
    return 0;
}
