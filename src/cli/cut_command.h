// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace trimvox {

// Exit statuses of trimvox-cut.
inline constexpr int kCutExitOk = 0;
inline constexpr int kCutExitFailed = 1; // the cut could not be made; no output was written
inline constexpr int kCutExitUsage = 2;  // the command line is wrong

// trimvox-cut [--duration SECONDS] SOURCE START END OUTPUT: cuts the bytes between two times out of an
// MP3 file the way the preview is cut, for scripts. `args` excludes the program name. Help goes to `out`;
// every failure is one line on `err`. Returns the exit status.
int RunCutCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace trimvox
