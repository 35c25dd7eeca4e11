// SPDX-License-Identifier: GPL-3.0-or-later
// trimvox-cut: the segment cutter on the command line, for scripts and batch use.
#include "cli/cut_command.h"
#include "cli/split_command.h"
#include "common/program_version.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "trimvox-cut " << trimvox::kProgramVersion << '\n' << trimvox::kProgramLicence;
        return 0;
    }
    if (trimvox::IsSplitCommand(args)) {
        return trimvox::RunSplitCommand({args.begin() + 1, args.end()}, std::cout, std::cerr);
    }
    const int status = trimvox::RunCutCommand(args, std::cout, std::cerr);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << "\nusage: trimvox-cut split MODE [OPTIONS] SOURCE OUTDIR\n"
                     "Cuts SOURCE into many pieces in one pass (at times, at silences, into equal parts,\n"
                     "from a cue sheet, a label file or a chapter list); \"trimvox-cut split --help\" tells "
                     "more.\n";
    }
    return status;
}
