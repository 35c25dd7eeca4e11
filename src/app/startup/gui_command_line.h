// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace trimvox {

// The command line of the program with windows: trimvox [FILE] | --help | --version.
struct GuiCommandLine {
    enum class Action { Run, Help, Version, Wrong };
    Action action = Action::Run;
    std::string file;  // the FILE to open at start; empty for none
    std::string error; // for Wrong: what is wrong, one line
};

// Reads the arguments (without the program's name). "--help" or "-h" and "--version" win wherever they
// stand before "--"; "--" ends the options, so a FILE may start with "-". More than one FILE, or an option
// of neither ours nor Qt's, is Wrong. Qt's own options (such as "-platform NAME") are passed over with their
// values, so that the line can be read before QApplication exists and takes them out.
GuiCommandLine ParseGuiCommandLine(const std::vector<std::string>& args);

// What --help and --version print.
std::string GuiHelpText();
std::string GuiVersionText();

} // namespace trimvox
