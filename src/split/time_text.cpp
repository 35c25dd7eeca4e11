// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/time_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace trimvox {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits only, at least one; nothing beyond 15 digits (more than any time needs, and exact as a double).
std::optional<double> Whole(std::string_view digits) {
    if (digits.empty() || digits.size() > 15) {
        return std::nullopt;
    }
    double value = 0;
    for (const char c : digits) {
        if (!IsDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

// "ss" or "ss.fff": digits, then optionally a point and at least one digit.
std::optional<double> Decimal(std::string_view text) {
    const std::size_t point = text.find('.');
    const std::optional<double> whole = Whole(text.substr(0, point));
    if (!whole || point == std::string_view::npos) {
        return whole;
    }
    const std::string_view fraction = text.substr(point + 1);
    if (fraction.empty() || fraction.size() > 9 || !Whole(fraction)) {
        return std::nullopt;
    }
    return *whole + *Whole(fraction) / std::pow(10.0, static_cast<double>(fraction.size()));
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::optional<double> ParseTime(std::string_view text) {
    text = Trimmed(text);
    std::vector<std::string_view> fields;
    for (std::size_t from = 0;;) {
        const std::size_t colon = text.find(':', from);
        fields.push_back(text.substr(from, colon == std::string_view::npos ? colon : colon - from));
        if (colon == std::string_view::npos) {
            break;
        }
        from = colon + 1;
    }
    if (fields.size() > 3) {
        return std::nullopt;
    }
    const std::optional<double> seconds = Decimal(fields.back());
    if (!seconds) {
        return std::nullopt;
    }
    if (fields.size() == 1) {
        return seconds;
    }
    if (std::min(fields.back().find('.'), fields.back().size()) > 2 || *seconds >= 60) { // ss: 1-2 digits
        return std::nullopt;
    }
    double total = *seconds;
    double scale = 60;
    for (std::size_t i = fields.size() - 1; i-- > 0;) {
        const std::optional<double> value = Whole(fields[i]);
        if (!value || (i > 0 && (*value >= 60 || fields[i].size() > 2))) {
            return std::nullopt;
        }
        total += *value * scale;
        scale *= 60;
    }
    return total;
}

std::string FormatTime(std::int64_t sample, long rate) {
    if (rate <= 0) {
        rate = 1;
    }
    const bool negative = sample < 0;
    const auto millis = static_cast<std::int64_t>(
        std::llround(static_cast<double>(negative ? -sample : sample) * 1000.0 / static_cast<double>(rate)));
    char text[48];
    std::snprintf(text, sizeof text, "%s%lld:%02lld:%02lld.%03lld", negative ? "-" : "",
                  static_cast<long long>(millis / 3'600'000), static_cast<long long>(millis / 60'000 % 60),
                  static_cast<long long>(millis / 1000 % 60), static_cast<long long>(millis % 1000));
    return text;
}

std::string FormatSeconds(std::int64_t sample, long rate) {
    // Integer arithmetic: printf's "%f" would write the decimal point of the C locale in force.
    const auto micros = static_cast<std::int64_t>(
        std::llround(static_cast<double>(sample) * 1e6 / static_cast<double>(rate > 0 ? rate : 1)));
    const std::int64_t magnitude = micros < 0 ? -micros : micros;
    char text[48];
    std::snprintf(text, sizeof text, "%s%lld.%06lld", micros < 0 ? "-" : "",
                  static_cast<long long>(magnitude / 1'000'000),
                  static_cast<long long>(magnitude % 1'000'000));
    return text;
}

} // namespace trimvox
