// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "split/list_text.h"

#include <string>
#include <string_view>

namespace trimvox {

// Reads an Audacity label file: "start<TAB>end<TAB>label" per line, times in seconds with decimals (a
// decimal comma is taken too, as Audacity writes it in some languages). A line of "start<TAB>label" or
// with equal start and end is a point label: its piece runs to the next label's start, or to the end of
// the source. Lines that start with "\" (Audacity's frequency ranges) and empty lines are read over. An
// end past the end of the source is taken as the source's end; labels that overlap, a start past the
// end, or a line that is not a label give an error with the line's number.
ImportResult ReadLabelFile(std::string_view bytes, long rate, std::int64_t totalSamples);

// The list as an Audacity label file (UTF-8, times with six decimals, so each reads back to its sample).
std::string WriteLabelFile(const SegmentList& list);

} // namespace trimvox
