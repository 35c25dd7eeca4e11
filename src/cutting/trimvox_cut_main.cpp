// trimvox-cut: the segment cutter on the command line, for scripts and batch use.
#include "cutting/cut_command.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return trimvox::RunCutCommand(args, std::cout, std::cerr);
}
