// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace trimvox {

namespace {

// Rewrites "1e+15" as "1E+15" and "1e-7" as "1E-07": an upper-case E and at least two exponent digits.
std::string FormatExponent(const std::string& digits) {
    const auto e = digits.find('e');
    if (e == std::string::npos) {
        return digits;
    }
    std::string mantissa = digits.substr(0, e);
    char sign = digits[e + 1];
    std::string exponent = digits.substr(e + 2);
    while (exponent.size() < 2) {
        exponent.insert(exponent.begin(), '0');
    }
    return mantissa + "E" + sign + exponent;
}

} // namespace

std::string NumberText(double value) {
    if (std::isnan(value)) {
        return " NaN";
    }
    if (std::isinf(value)) {
        return value > 0 ? " Infinity" : "-Infinity";
    }
    if (value == 0.0) {
        return " 0"; // also for -0.0
    }
    const double magnitude = std::fabs(value);
    char buffer[64];
    // General format with 15 significant digits drops trailing zeros and switches to an exponent
    // only where fixed notation would need more than 15 digits, and it ignores the locale.
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::general, 15);
    std::string digits(buffer, result.ptr);
    return std::string(value < 0 ? "-" : " ") + FormatExponent(digits);
}

} // namespace trimvox
