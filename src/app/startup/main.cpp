// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/app_fonts.h"
#include "app/main_window/form1.h"
#include "app/startup/app_language.h"
#include "app/startup/gui_command_line.h"
#include "app/startup/launch_file.h"
#include "common/path_text.h"

#include <QApplication>
#include <iostream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Arguments(int argc, char* argv[]) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace

int main(int argc, char* argv[]) {
    // --help, --version and a wrong command line answer before the window system is touched, so they work
    // without a display.
    const auto line = trimvox::ParseGuiCommandLine(Arguments(argc, argv));
    if (line.action == trimvox::GuiCommandLine::Action::Help) {
        std::cout << trimvox::GuiHelpText();
        return 0;
    }
    if (line.action == trimvox::GuiCommandLine::Action::Version) {
        std::cout << trimvox::GuiVersionText();
        return 0;
    }
    if (line.action != trimvox::GuiCommandLine::Action::Run) {
        std::cerr << "trimvox: " << line.error << "\nTry 'trimvox --help'.\n";
        return 2;
    }

    QApplication app(argc, argv); // takes Qt's own options out of argv
    QString file;
    if (!line.file.empty()) {
        // Checked before anything else, so that a bad path never reaches a running instance. Absolute, so
        // that a running instance with another working folder finds it too; kept as the bytes it names.
        const trimvox::LaunchFile launch = trimvox::CheckLaunchFile(line.file);
        if (!launch.error.empty()) {
            std::cerr << "trimvox: " << launch.error << "\n";
            return 1;
        }
        file = QString::fromStdU16String(trimvox::PathText(launch.path));
    }

    QApplication::setApplicationName(QStringLiteral("Trimvox"));
    // The window's class matches the menu entry's name and StartupWMClass: docks show its launcher's icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.trimvox.Trimvox"));
    trimvox::RegisterFontSubstitutions();
    trimvox::InstallChineseTranslations();

    trimvox::Form1 form;
    if (!form.Form_Initialize(file)) {
        return 0;
    }
    form.Form_Load();
    form.show();
    if (!file.isEmpty()) {
        form.OpenChosenFile(file);
    }
    return QApplication::exec();
}
