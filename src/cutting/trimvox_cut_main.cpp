// trimvox-cut: the segment cutter on the command line, for scripts and batch use.
#include "common/program_version.h"
#include "cutting/cut_command.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "trimvox-cut " << trimvox::kProgramVersion << '\n' << trimvox::kProgramLicence;
        return 0;
    }
    return trimvox::RunCutCommand(args, std::cout, std::cerr);
}
