// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace trimvox {

// The bytes of a source that a cut copies: `count` bytes from the zero-based `offset`.
struct CutRange {
    std::int64_t offset = 0;
    std::int64_t count = 0;

    bool operator==(const CutRange&) const = default;
};

// Why the marks give no range.
enum class CutRangeError {
    BadDuration, // the duration is 0, negative, not a number or infinite
    BadMarks,    // a mark is not a finite number, lies before the start, or the end lies before the start
};

// The result of mapping the marks to bytes: a range, or why there is none.
struct CutRangeResult {
    std::optional<CutRange> range;
    CutRangeError error = CutRangeError::BadMarks; // meaningful only without a range
};

// Maps the start and end marks (seconds) to bytes in proportion to the source's length over its whole
// duration: s = (startPos / duration) * length and e = (endPos / duration) * length, dividing first.
// Byte positions count from 1 here, so the copy starts at floor(s) - 1, or at 0 when floor(s) is 0; it
// holds floor(e - s) + 1 bytes, taken from the unrounded difference. The range may run past the end of
// the source; the cutter stops there.
CutRangeResult ComputeCutRange(double startPos, double endPos, double duration, std::int64_t length);

} // namespace trimvox
