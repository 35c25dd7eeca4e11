// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/gui_command_line.h"
#include "common/program_version.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace trimvox {
namespace {

// The real program started with a command line that ends it at once: what it prints and its exit status.
// Rows marked "no display" run with neither an X nor a Wayland display and the X platform asked for, which
// Qt cannot start: they pass only when the program answers before it touches the window system.
TEST(GuiCommandLine, AnswersAndExitsWithoutAWindow) {
    const QString version = QString::fromLatin1(kProgramVersion);
    struct Case {
        QString program;
        QStringList args;
        bool noDisplay;
        int exitCode;
        QString out; // standard output starts with this (is empty when this is)
        QString err; // standard error holds this
    };
    const QString gui = QStringLiteral(TRIMVOX_PROGRAM);
    const QString cut = QStringLiteral(TRIMVOX_CUT_PROGRAM);
    const Case cases[] = {
        {gui, {"--version"}, true, 0, "trimvox " + version + "\n", ""},
        {cut, {"--version"}, true, 0, "trimvox-cut " + version + "\n", ""},
        {gui, {"--help"}, true, 0, "usage: trimvox [FILE]\n", ""},
        {gui, {"-h"}, true, 0, "usage: trimvox [FILE]\n", ""},
        {gui, {"song.mp3", "--version"}, true, 0, "trimvox " + version + "\n", ""},
        {gui, {"--bogus"}, true, 2, "", "trimvox: unknown option '--bogus'"},
        {gui, {"a.mp3", "b.mp3"}, true, 2, "", "trimvox: only one FILE can be opened"},
        {gui, {"-platform", "xcb", "--bogus"}, true, 2, "", "trimvox: unknown option '--bogus'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.program + " " + c.args.join(' ')).toStdString());
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        if (c.noDisplay) {
            env.remove(QStringLiteral("DISPLAY"));
            env.remove(QStringLiteral("WAYLAND_DISPLAY"));
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        } else {
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        }
        process.setProcessEnvironment(env);
        process.start(c.program, c.args);
        ASSERT_TRUE(process.waitForFinished(15000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), c.exitCode);
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        EXPECT_TRUE(c.out.isEmpty() ? out.isEmpty() : out.startsWith(c.out)) << out.toStdString();
        EXPECT_TRUE(err.contains(c.err)) << err.toStdString();
        if (c.exitCode == 0) {
            EXPECT_EQ(err, QString());
        }
    }
}

// How arguments are read: options before "--", at most one FILE.
TEST(GuiCommandLine, ReadsOneFileAndStopsOptionsAtDoubleDash) {
    using Action = GuiCommandLine::Action;
    struct Case {
        std::vector<std::string> args;
        Action action;
        std::string file;
    };
    const Case cases[] = {
        {{}, Action::Run, ""},
        {{"song.mp3"}, Action::Run, "song.mp3"},
        {{"--", "--version"}, Action::Run, "--version"},
        {{"--", "-h"}, Action::Run, "-h"},
        {{"-"}, Action::Run, "-"},
        {{"--bogus", "--help"}, Action::Help, ""},
        {{"a.mp3", "--", "b.mp3"}, Action::Wrong, ""},
        // Qt's own options, with their values, are passed over; the same words after "--" are files.
        {{"-platform", "offscreen", "song.mp3"}, Action::Run, "song.mp3"},
        {{"--style=fusion", "-reverse", "song.mp3"}, Action::Run, "song.mp3"},
        {{"--", "-style"}, Action::Run, "-style"},
        {{"-stylish"}, Action::Wrong, ""},
    };
    for (const Case& c : cases) {
        const GuiCommandLine line = ParseGuiCommandLine(c.args);
        EXPECT_EQ(line.action, c.action) << ::testing::PrintToString(c.args);
        EXPECT_EQ(line.file, c.file) << ::testing::PrintToString(c.args);
    }
}

} // namespace
} // namespace trimvox
