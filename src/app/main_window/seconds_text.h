// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/number_text.h"

#include <QString>

namespace trimvox {

// A time as the labels show it: the number text, then "(s)".
inline QString SecondsText(double seconds) {
    return QString::fromStdString(NumberText(seconds)) + QStringLiteral("(s)");
}

} // namespace trimvox
