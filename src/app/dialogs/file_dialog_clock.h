// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>
#include <functional>

namespace trimvox::modpath {

// The millisecond tick count that FileDialog reads before and after each showing, to tell a dialog that
// closed at once. A monotonic clock unless replaced: tests set their own to decide how long a showing took.
using TickCount = std::function<qint64()>;

qint64 DialogTickCount();

// Replaces the clock (an empty function restores the monotonic one); returns the clock it replaced.
TickCount SetDialogTickCount(TickCount clock);

} // namespace trimvox::modpath
