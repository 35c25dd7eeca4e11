// SPDX-License-Identifier: GPL-3.0-or-later
// Where the real program puts its lock and hand-over socket when the runtime folder it is given, or the one
// it would make for itself in the temporary folder, is not private: planted by someone else, open to others,
// or a link. It always starts with its window, and never puts anything into such a folder.
#include "app/startup/private_runtime_folder.h"
#include "platform/fs/data_folder.h"
#include "support/temp_data_home.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;

bool WaitFor(const std::function<bool()>& condition, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > ms) {
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

TEST(PrivateRuntimeFolder, LockAndSocketOnlyInAFolderOnlyTheUserCanReach) {
    enum class Runtime { Private, OpenToAll, Unset }; // XDG_RUNTIME_DIR
    enum class Planted { Nothing, OpenToAll, Link, OtherOwner, QtFallbackOfOtherOwner };
    struct Row {
        const char* what;
        Runtime runtime;
        Planted planted;      // what someone else put at <tmp>/trimvox-<uid> (or <tmp>/runtime-<user>) first
        const char* expected; // where the socket goes: "runtime", "own" (<tmp>/trimvox-<uid>) or "" (none)
    };
    const std::string own = "trimvox-" + std::to_string(::geteuid());
    const passwd* account = ::getpwuid(::geteuid());
    const std::string user = account != nullptr ? account->pw_name : "user";
    const Row rows[] = {
        {"a private runtime folder", Runtime::Private, Planted::OpenToAll, "runtime"},
        {"a runtime folder open to all: a folder of our own", Runtime::OpenToAll, Planted::Nothing, "own"},
        {"no runtime folder, and runtime-<user> planted by another user", Runtime::Unset,
         Planted::QtFallbackOfOtherOwner, "own"},
        {"our own folder planted open to all", Runtime::OpenToAll, Planted::OpenToAll, ""},
        {"our own folder planted as a link to a private folder", Runtime::Unset, Planted::Link, ""},
        {"our own folder planted by another user", Runtime::OpenToAll, Planted::OtherOwner, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if ((row.planted == Planted::OtherOwner || row.planted == Planted::QtFallbackOfOtherOwner) &&
            ::geteuid() != 0) {
            continue; // only root can plant a folder in another user's name
        }
        test::TempDataHome home;
        const fs::path runtime = home.root() / "runtime";
        const fs::path temp = home.root() / "tmp";
        const fs::path ownFolder = temp / own;
        const fs::path qtFallback = temp / ("runtime-" + user);
        const fs::path elsewhere = home.root() / "elsewhere";
        fs::create_directories(temp);
        fs::create_directories(elsewhere);
        fs::permissions(elsewhere, fs::perms::owner_all, fs::perm_options::replace);
        if (row.runtime == Runtime::OpenToAll) {
            fs::permissions(runtime, fs::perms::all, fs::perm_options::replace);
        }
        switch (row.planted) {
        case Planted::Nothing:
            break;
        case Planted::OpenToAll:
            fs::create_directories(ownFolder);
            fs::permissions(ownFolder, fs::perms::all, fs::perm_options::replace);
            break;
        case Planted::Link:
            fs::create_directory_symlink(elsewhere, ownFolder);
            break;
        case Planted::OtherOwner:
            fs::create_directories(ownFolder);
            fs::permissions(ownFolder, fs::perms::owner_all, fs::perm_options::replace);
            ASSERT_EQ(::chown(ownFolder.c_str(), 65534, 65534), 0);
            break;
        case Planted::QtFallbackOfOtherOwner:
            fs::create_directories(qtFallback);
            fs::permissions(qtFallback, fs::perms::owner_all, fs::perm_options::replace);
            ASSERT_EQ(::chown(qtFallback.c_str(), 65534, 65534), 0);
            break;
        }

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TMPDIR"), QString::fromStdString(temp.string()));
        env.insert(QStringLiteral("USER"), QString::fromStdString(user));
        if (row.runtime == Runtime::Unset) {
            env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        }
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        const auto start = [&env](QProcess& process) {
            process.setProcessEnvironment(env);
            process.setProcessChannelMode(QProcess::ForwardedChannels);
            process.start(QStringLiteral(TRIMVOX_PROGRAM), QStringList{});
            return process.waitForStarted();
        };
        QProcess first;
        ASSERT_TRUE(start(first));
        // Started with its window: the start-up sequence wrote the style file.
        EXPECT_TRUE(WaitFor([] { return fs::exists(DataFile(kStyleFileName)); }, 15000));
        QThread::msleep(300);
        EXPECT_EQ(first.state(), QProcess::Running);

        const std::string expected = row.expected;
        EXPECT_EQ(fs::exists(runtime / "trimvox.socket"), expected == "runtime");
        EXPECT_EQ(fs::exists(ownFolder / "trimvox.socket"), expected == "own");
        EXPECT_TRUE(test::FolderNames(elsewhere).empty());
        if (row.runtime != Runtime::Private) {
            EXPECT_TRUE(test::FolderNames(runtime).empty());
        }
        // Nothing of ours lies loose in the shared temporary folder.
        for (const std::string& name : test::FolderNames(temp)) {
            EXPECT_TRUE(name == own || name == qtFallback.filename().string()) << name;
        }
        if (row.planted == Planted::QtFallbackOfOtherOwner) {
            EXPECT_TRUE(test::FolderNames(qtFallback).empty());
        }
        if (row.planted == Planted::OpenToAll || row.planted == Planted::OtherOwner) {
            EXPECT_TRUE(test::FolderNames(ownFolder).empty());
        }
        if (expected.empty()) {
            // Without hand-over, a second start is not refused: it runs as well.
            QProcess second;
            ASSERT_TRUE(start(second));
            EXPECT_FALSE(second.waitForFinished(2000));
            second.kill();
            second.waitForFinished();
        }
        first.kill();
        first.waitForFinished();
    }
}

} // namespace
} // namespace trimvox
