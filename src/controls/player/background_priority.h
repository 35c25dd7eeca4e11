// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trimvox {

// Lets the calling thread give way to the GUI thread: on Linux it raises the thread's nice value by
// `steps` (so the scheduler prefers the GUI thread when both want the processor); elsewhere it does nothing.
void LowerThisThreadPriority(int steps);

} // namespace trimvox
