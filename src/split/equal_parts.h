// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "split/segment_list.h"

#include <cstdint>
#include <optional>

namespace trimvox {

// `count` pieces of (nearly) equal length that tile the source: piece k starts at round(k × total / count).
// Nothing for a count below 1 or above the number of samples.
std::optional<SegmentList> EqualParts(long rate, std::int64_t totalSamples, int count);

// One piece every `seconds` that tile the source: piece k starts at round(k × seconds × rate); the last
// piece holds what remains. Nothing for a length that is not positive or shorter than one sample.
std::optional<SegmentList> PiecesEvery(long rate, std::int64_t totalSamples, double seconds);

} // namespace trimvox
