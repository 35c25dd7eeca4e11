// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/gui_command_line.h"

#include "common/program_version.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace trimvox {

namespace {

// Qt's own options, which QApplication takes out of the arguments; each is also understood with "--".
// Those of the first list take a value, as the next argument or after "=".
constexpr std::string_view kQtOptionsWithValue[] = {"platform",        "platformpluginpath",
                                                    "platformtheme",   "plugin",
                                                    "qwindowgeometry", "geometry",
                                                    "qwindowtitle",    "title",
                                                    "qwindowicon",     "icon",
                                                    "display",         "name",
                                                    "session",         "style",
                                                    "stylesheet"};
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount", "testability",
                                         "nograb",  "dograb",      "qmljsdebugger"};

// How many arguments from `arg` on are one of Qt's options: 0 for none, else 1 or 2 (the option and its
// value).
int QtOptionLength(std::string_view arg) {
    if (arg.size() < 2 || arg[0] != '-') {
        return 0;
    }
    arg.remove_prefix(arg.rfind("--", 0) == 0 ? 2 : 1);
    const std::size_t equals = arg.find('=');
    const std::string_view name = arg.substr(0, equals);
    const auto has = [name](const auto& list) {
        return std::find(std::begin(list), std::end(list), name) != std::end(list);
    };
    if (has(kQtOptionsWithValue)) {
        return equals == std::string_view::npos ? 2 : 1;
    }
    return has(kQtFlags) ? 1 : 0;
}

} // namespace

GuiCommandLine ParseGuiCommandLine(const std::vector<std::string>& args) {
    GuiCommandLine line;
    std::vector<std::string> files;
    bool options = true;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (const int length = options ? QtOptionLength(arg) : 0; length > 0) {
            i += static_cast<std::size_t>(length - 1);
        } else if (options && arg == "--") {
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
    return std::string("trimvox ") + kProgramVersion + "\n" + kProgramLicence;
}

} // namespace trimvox
