// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/file_dialog_clock.h"

#include <chrono>

namespace trimvox::modpath {

namespace {

TickCount& Clock() {
    static TickCount clock;
    return clock;
}

} // namespace

qint64 DialogTickCount() {
    if (Clock()) {
        return Clock()();
    }
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

TickCount SetDialogTickCount(TickCount clock) {
    TickCount previous = std::move(Clock());
    Clock() = std::move(clock);
    return previous;
}

} // namespace trimvox::modpath
