// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutting/cut_range.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace trimvox {
namespace {

struct RangeCase {
    const char* name;
    double start, end, duration;
    std::int64_t length;
    CutRange expected;
};

std::ostream& operator<<(std::ostream& out, const RangeCase& c) {
    return out << c.name;
}

class CutRangeTest : public testing::TestWithParam<RangeCase> {};

TEST_P(CutRangeTest, MapsTheMarksToBytes) {
    const RangeCase& c = GetParam();
    const CutRangeResult result = ComputeCutRange(c.start, c.end, c.duration, c.length);
    ASSERT_TRUE(result.range.has_value());
    EXPECT_EQ(*result.range, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CutRangeTest,
    testing::Values(
        // 4,000,000 bytes over 240 s: s = 175,000, e = 337,500.
        RangeCase{"WorkedExample", 10.5, 20.25, 240, 4'000'000, {174'999, 162'501}},
        // The range asks for one byte past the end; the cutter stops at the end.
        RangeCase{"WholeDuration", 0, 240, 240, 4'000'000, {0, 4'000'001}},
        // 3.3 / 10 * 1000 is 329.99999999999994: dividing first gives floor 329, not 330.
        RangeCase{"DivideBeforeMultiplying", 3.3, 5, 10, 1000, {328, 171}},
        // Positions count from 1: s in [1, 2) starts at offset 0 like s = 0; s = 2 starts at 1.
        RangeCase{"StartPositionOne", 0.01, 1, 10, 1000, {0, 100}},
        RangeCase{"StartPositionJustBelowTwo", 0.0199, 1, 10, 1000, {0, 99}},
        RangeCase{"StartPositionTwo", 0.02, 1, 10, 1000, {1, 99}},
        // e - s below 1 still copies one byte, and so do equal marks.
        RangeCase{"SpanBelowOneByte", 1, 1.005, 10, 1000, {99, 1}},
        RangeCase{"EqualMarks", 7, 7, 10, 1000, {699, 1}},
        // The count comes from floor(e - s) = floor(1.9), not floor(e) - floor(s) = 2.
        RangeCase{"CountFromUnroundedSpan", 1.5, 3.4, 1000, 1000, {0, 2}},
        // Offsets and counts beyond 32 bits.
        RangeCase{"EightGiBSource", 3, 3.5, 4, std::int64_t{1} << 33, {6'442'450'943, 1'073'741'825}}),
    [](const testing::TestParamInfo<RangeCase>& info) { return std::string(info.param.name); });

struct RefusedCase {
    const char* name;
    double start, end, duration;
    CutRangeError expected;
};

std::ostream& operator<<(std::ostream& out, const RefusedCase& c) {
    return out << c.name;
}

class CutRangeRefusedTest : public testing::TestWithParam<RefusedCase> {};

TEST_P(CutRangeRefusedTest, GivesNoRange) {
    const RefusedCase& c = GetParam();
    const CutRangeResult result = ComputeCutRange(c.start, c.end, c.duration, 4'000'000);
    EXPECT_FALSE(result.range.has_value());
    EXPECT_EQ(result.error, c.expected);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Cases, CutRangeRefusedTest,
    testing::Values(RefusedCase{"ZeroDuration", 1, 2, 0, CutRangeError::BadDuration},
                    RefusedCase{"NaNDuration", 1, 2, kNaN, CutRangeError::BadDuration},
                    RefusedCase{"InfiniteDuration", 1, 2, kInf, CutRangeError::BadDuration},
                    RefusedCase{"NegativeStart", -0.01, 2, 240, CutRangeError::BadMarks},
                    RefusedCase{"EndBeforeStart", 20, 10, 240, CutRangeError::BadMarks},
                    // A span in [-1, 0) would give a count of 0.
                    RefusedCase{"EndJustBeforeStart", 20, 19.99999, 240, CutRangeError::BadMarks},
                    RefusedCase{"NaNStart", kNaN, 2, 240, CutRangeError::BadMarks},
                    RefusedCase{"InfiniteEnd", 1, kInf, 240, CutRangeError::BadMarks},
                    // Positions beyond any file offset must not reach an integer conversion.
                    RefusedCase{"HugeMarks", 1e300, 2e300, 240, CutRangeError::BadMarks},
                    RefusedCase{"TinyDuration", 1, 2, 1e-320, CutRangeError::BadMarks}),
    [](const testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace trimvox
