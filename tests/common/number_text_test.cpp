// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/number_text.h"

#include <clocale>
#include <gtest/gtest.h>
#include <limits>

namespace trimvox {
namespace {

struct Case {
    double value;
    const char* text;
};

TEST(NumberText, FollowsTheLabelRule) {
    const Case cases[] = {
        {12.5, " 12.5"},
        {104, " 104"},
        {-3, "-3"},
        {95.5, " 95.5"},
        {0, " 0"},
        {-0.0, " 0"},
        {0.5, " 0.5"},
        {-0.25, "-0.25"},
        {1.0 / 3.0, " 0.333333333333333"},
        {329.99999999999994, " 330"},
        {123456789012345.0, " 123456789012345"},
        {1e15, " 1E+15"},
        {1e-7, " 1E-07"},
        {2.1e20, " 2.1E+20"},
        {32767, " 32767"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumberText(c.value), c.text) << c.value;
    }
}

TEST(NumberText, IgnoresTheLocaleDecimalSeparator) {
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    const std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        std::setlocale(LC_NUMERIC, "C");
    }
    EXPECT_EQ(NumberText(12.5), " 12.5");
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(NumberText, NonFiniteValuesGiveText) {
    EXPECT_EQ(NumberText(std::numeric_limits<double>::quiet_NaN()), " NaN");
    EXPECT_EQ(NumberText(std::numeric_limits<double>::infinity()), " Infinity");
    EXPECT_EQ(NumberText(-std::numeric_limits<double>::infinity()), "-Infinity");
}

} // namespace
} // namespace trimvox
