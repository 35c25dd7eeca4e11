// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cutting/cut_range.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace trimvox {

class CutSource;

// The source's Xing/Info/VBRI header frame as a byte cut carries it, corrected for the cut.
struct ByteCutHeader {
    std::int64_t outputOffset = 0;   // where the frame lies in the output
    std::vector<std::uint8_t> bytes; // the corrected frame, as long as the source's
};

// When the byte cut of `copied` bytes from `range.offset` holds the source's header frame whole, that frame
// with the frame and byte counts (and the table of contents) of the frames the cut holds, found without
// decoding; nothing when the cut holds no such frame, or every frame that frame counts (then it is right).
// Only the header frame changes: the audio bytes stay.
std::optional<ByteCutHeader> CorrectedHeaderOfByteCut(const CutSource& source, const CutRange& range,
                                                      std::int64_t copied);

} // namespace trimvox
