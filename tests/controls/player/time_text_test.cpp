// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/time_text.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

TEST(TimeTextTest, ShowsMinutesAndSecondsCutNotRounded) {
    const struct {
        double seconds;
        const char* text;
    } cases[] = {
        {0.0, "00:00"},
        {0.999, "00:00"},
        {59.99, "00:59"},
        {60.0, "01:00"},
        {95.5, "01:35"},
        {3599.9, "59:59"},
        {3600.0, "1:00:00"},
        {36061.0, "10:01:01"},
        {-3.0, "00:00"},
        {std::nan(""), "00:00"},
        {std::numeric_limits<double>::infinity(), "00:00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TimeText(c.seconds), QString::fromLatin1(c.text)) << c.seconds;
    }
}

} // namespace
} // namespace trimvox
