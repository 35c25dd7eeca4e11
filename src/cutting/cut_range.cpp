// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutting/cut_range.h"

#include <cmath>

namespace trimvox {

namespace {

// Byte positions at or beyond this do not fit a file offset; refusing them keeps the conversions defined.
constexpr double kPositionLimit = 9.0e18;

CutRangeResult Failure(CutRangeError error) {
    return CutRangeResult{std::nullopt, error};
}

} // namespace

CutRangeResult ComputeCutRange(double startPos, double endPos, double duration, std::int64_t length) {
    if (!std::isfinite(duration) || duration <= 0.0) {
        return Failure(CutRangeError::BadDuration);
    }
    if (!std::isfinite(startPos) || !std::isfinite(endPos) || length < 0) {
        return Failure(CutRangeError::BadMarks);
    }
    const double bytes = static_cast<double>(length);
    // Divide first, then multiply: 3.3 / 10 * 1000 is 329.99999999999994, not 330.
    const double s = (startPos / duration) * bytes;
    const double e = (endPos / duration) * bytes;
    const double span = e - s;
    if (!std::isfinite(s) || !std::isfinite(span) || s < 0.0 || s >= kPositionLimit || span < 0.0 ||
        span >= kPositionLimit) {
        return Failure(CutRangeError::BadMarks);
    }
    const auto p = static_cast<std::int64_t>(std::floor(s));
    const auto n = static_cast<std::int64_t>(std::floor(span));
    return CutRangeResult{CutRange{p == 0 ? 0 : p - 1, n + 1}, CutRangeError::BadMarks};
}

} // namespace trimvox
