// SPDX-License-Identifier: GPL-3.0-or-later
// A cue sheet as any bytes; a sheet that reads is written out again and that text read back.
#include "list_file_fuzz.h"
#include "split/cue_sheet.h"

using namespace trimvox;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::ListInput input = fuzz::TakeListInput(data, size);
    const ImportResult result = ReadCueSheet(input.text, input.rate, input.totalSamples);
    fuzz::CheckImport(result, input);
    if (result.ok()) {
        const ImportedList& imported = result.imported;
        const std::string again =
            WriteCueSheet(imported.list, imported.audioFile, imported.album, imported.performer);
        fuzz::CheckImport(ReadCueSheet(again, input.rate, input.totalSamples), input);
    }
    return 0;
}
