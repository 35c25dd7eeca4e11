// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace trimvox {

// The one rule by which numbers become text in labels and in the settings file: a space where a plus
// sign would stand (a minus sign for negative values), "." as the decimal point whatever the locale,
// no thousands separators, at most 15 significant digits, no trailing zeros, and a 0 before the
// decimal point for values below 1 ("0.5"). Very large or very small magnitudes use an exponent
// ("1E+15", "1E-07").
std::string NumberText(double value);

} // namespace trimvox
