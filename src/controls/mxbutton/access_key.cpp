// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/access_key.h"

namespace trimvox::mxbutton {

QChar UpdateAccessKey(const QString& caption) {
    const qsizetype n = caption.size();
    if (n <= 1) {
        return {};
    }
    const qsizetype first = caption.indexOf(u'&');
    if (first < 0 || first == n - 1) {
        return {};
    }
    if (caption[first + 1] != u'&') {
        return caption[first + 1].toLower();
    }
    // A doubled "&&": look for the next marker after it.
    const qsizetype next = caption.indexOf(u'&', first + 2);
    if (next < 0 || next == n - 1) {
        return {};
    }
    if (caption[next + 1] == u'&') {
        return {};
    }
    return caption[next + 1].toLower();
}

} // namespace trimvox::mxbutton
