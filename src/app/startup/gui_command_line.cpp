#include "app/startup/gui_command_line.h"

#include "common/program_version.h"

namespace trimvox {

GuiCommandLine ParseGuiCommandLine(const std::vector<std::string>& args) {
    GuiCommandLine line;
    std::vector<std::string> files;
    bool options = true;
    for (const std::string& arg : args) {
        if (options && arg == "--") {
            options = false;
        } else if (options && (arg == "--help" || arg == "-h")) {
            return {GuiCommandLine::Action::Help, {}, {}};
        } else if (options && arg == "--version") {
            return {GuiCommandLine::Action::Version, {}, {}};
        } else if (options && arg.size() > 1 && arg[0] == '-') {
            if (line.error.empty()) {
                line.error = "unknown option '" + arg + "'";
            }
        } else {
            files.push_back(arg);
        }
    }
    if (line.error.empty() && files.size() > 1) {
        line.error = "only one FILE can be opened";
    }
    if (!line.error.empty()) {
        line.action = GuiCommandLine::Action::Wrong;
    } else if (!files.empty()) {
        line.file = files.front();
    }
    return line;
}

std::string GuiHelpText() {
    return "usage: trimvox [FILE]\n"
           "       trimvox --help | --version\n"
           "\n"
           "Trimvox cuts a segment out of an MP3 file. Given a FILE, it opens FILE at start, as if it\n"
           "had been chosen in the open dialog; when Trimvox already runs, it hands FILE to the running\n"
           "program, which opens it, and exits.\n"
           "\n"
           "  -h, --help     show this help and exit\n"
           "  --version      show the version and exit\n"
           "\n"
           "Qt's own options (such as -platform NAME) are understood too.\n";
}

std::string GuiVersionText() {
    return std::string("trimvox ") + kProgramVersion + "\n";
}

} // namespace trimvox
