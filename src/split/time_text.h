// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace trimvox {

// A time as people type it: seconds ("75", "75.5") or "[h:]mm:ss[.fff]" ("1:15.5", "01:02:03.250"). The
// minutes (when hours lead) and the seconds of the colon forms are below 60; the first field may be
// any size ("90:00" is an hour and a half). "." is the decimal point whatever the locale. Spaces around
// the time are ignored. Nothing for anything else, negative times included.
std::optional<double> ParseTime(std::string_view text);

// "h:mm:ss.mmm" of a sample count at a rate, rounded to the nearest millisecond ("0:01:15.500").
std::string FormatTime(std::int64_t sample, long rate);

// Seconds with six decimals ("75.500000"): one microsecond, finer than one sample at any MP3 rate, so
// round(t × rate) gives the sample back.
std::string FormatSeconds(std::int64_t sample, long rate);

} // namespace trimvox
