// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace trimvox {

// Whether trimvox-cut's arguments ask for the split form ("split" first). "split START END OUTPUT" stays
// the cut form, of a source named "split", as it always was: the split form has no such three operands.
bool IsSplitCommand(const std::vector<std::string>& args);

// trimvox-cut split (--at T1,T2,... | --silence | --parts N | --every SECONDS | --cue FILE | --labels FILE |
// --chapters FILE) [options] SOURCE OUTDIR: cuts an MP3 file into pieces, each exact to the sample and
// tagged, written into OUTDIR. `args` follow the word "split". Help and the pieces of a dry run go to
// `out`; every failure is a line on `err`. Returns the exit status (kCutExitOk only when every piece was
// written, kCutExitFailed, kCutExitUsage).
int RunSplitCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace trimvox
