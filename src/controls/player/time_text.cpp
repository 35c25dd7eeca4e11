// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/time_text.h"

#include <algorithm>
#include <cmath>

namespace trimvox {

QString TimeText(double seconds) {
    if (!std::isfinite(seconds) || seconds < 0.0) {
        seconds = 0.0;
    }
    const auto whole = static_cast<long long>(std::min(std::floor(seconds), 359999999.0));
    const long long hours = whole / 3600;
    const int minutes = static_cast<int>(whole / 60 % 60);
    const int secs = static_cast<int>(whole % 60);
    if (hours > 0) {
        return QStringLiteral("%1:%2:%3")
            .arg(hours)
            .arg(minutes, 2, 10, QLatin1Char('0'))
            .arg(secs, 2, 10, QLatin1Char('0'));
    }
    return QStringLiteral("%1:%2").arg(minutes, 2, 10, QLatin1Char('0')).arg(secs, 2, 10, QLatin1Char('0'));
}

} // namespace trimvox
