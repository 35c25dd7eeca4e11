// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fs/byte_file.h"
#include "platform/resources/resource_table.h"
#include "platform/skin/skin_engine_binding.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>
#include <climits>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

namespace trimvox {
namespace {

// The engine written to a folder the way start-up does, with its default skin beside it.
struct EngineFolder {
    test::TempDir dir;
    std::filesystem::path library = dir.path() / "SkinH_VB6.dll";
    Bytes engine = LoadCustomResource(101).value();
    EngineFolder() {
        WriteNewFile(library, engine);
        WriteNewFile(dir.path() / "skinh.she", LoadCustomResource(102).value());
    }
    std::filesystem::path Skin(int number) {
        const auto path = dir.path() / "tstyle.she";
        WriteNewFile(path, LoadCustomResource(number).value());
        return path;
    }
};

QColor WindowColour() {
    return QApplication::palette().color(QPalette::Window);
}

bool FileIsOpen(const std::filesystem::path& path) {
    for (const auto& fd : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        if (std::filesystem::read_symlink(fd.path(), error) == path) {
            return true;
        }
    }
    return false;
}

TEST(SkinEngine, LoadedFromDiskItReColoursEveryWindow) {
    EngineFolder folder;
    QWidget window;
    auto* frame = new QGroupBox(QStringLiteral("源文件信息"), &window);
    auto* label = new QLabel(QStringLiteral("名称："), frame);
    SkinEngineBinding engine(folder.library, folder.engine);
    EXPECT_FALSE(engine.isLoaded()); // bound on the first call
    EXPECT_TRUE(engine.SkinH_SetAero(1));
    EXPECT_TRUE(engine.isLoaded());
    EXPECT_TRUE(engine.SkinH_Attach());
    EXPECT_EQ(WindowColour(), QColor(0xEC, 0xEE, 0xF1)); // the default skin beside the library

    const QColor before = WindowColour();
    for (int number : {104, 110, 106}) {
        const auto path = folder.Skin(number);
        ASSERT_TRUE(engine.SkinH_AttachEx(path.string(), ""));
        EXPECT_FALSE(FileIsOpen(path)); // read whole and closed: the program rewrites it next
        QApplication::processEvents();
        EXPECT_NE(WindowColour(), before) << number;
        EXPECT_EQ(window.palette().color(QPalette::Window), WindowColour()) << number;
        EXPECT_NE(label->palette().color(QPalette::WindowText), QColor()) << number;
    }
    EXPECT_EQ(WindowColour(), QColor(0x2E, 0x31, 0x36)); // 106, the dark skin
    EXPECT_TRUE(qApp->styleSheet().contains(QStringLiteral("QGroupBox")));
}

TEST(SkinEngine, BadSkinFilesAreRefusedAndChangeNothing) {
    EngineFolder folder;
    SkinEngineBinding engine(folder.library, folder.engine);
    ASSERT_TRUE(engine.SkinH_AttachEx(folder.Skin(104).string(), ""));
    const QColor skinned = WindowColour();
    const auto path = folder.dir.path() / "tstyle.she";
    // A skin is a few hundred bytes: one over 1 MiB is not read, however valid its start.
    const std::string oversized = ".SHE\nwindow=#123456\n" + std::string(1 << 20, ' ');
    for (const std::string& content :
         {std::string(), std::string("MZ not a skin"), std::string(".SHE\n"), oversized}) {
        WriteNewFile(path, Bytes(content.begin(), content.end()));
        EXPECT_FALSE(engine.SkinH_AttachEx(path.string(), "")) << content.substr(0, 20);
        EXPECT_EQ(WindowColour(), skinned);
    }
    EXPECT_FALSE(engine.SkinH_AttachEx((folder.dir.path() / "missing.she").string(), ""));
    EXPECT_FALSE(engine.SkinH_AttachEx("", ""));
}

TEST(SkinEngine, ALibraryThatIsNotOursIsNeverLoaded) {
    EngineFolder folder;
    Bytes changed = folder.engine;
    changed[changed.size() / 2] ^= 0x01;
    WriteNewFile(folder.library, changed);
    SkinEngineBinding engine(folder.library, folder.engine);
    EXPECT_FALSE(engine.SkinH_SetAero(1));
    EXPECT_FALSE(engine.SkinH_Attach());
    EXPECT_FALSE(engine.SkinH_AttachEx(folder.Skin(110).string(), ""));
    EXPECT_FALSE(engine.isLoaded());

    SkinEngineBinding missing(folder.dir.path() / "absent.dll", folder.engine);
    EXPECT_FALSE(missing.SkinH_Attach());
}

// The library mapped into the process from the folder on disk, if any.
bool MappedFrom(const std::filesystem::path& folder) {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find(folder.string()) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// The bytes compared are the bytes loaded: a library swapped in once the file was opened (as another
// process might, at any moment) is never the one loaded, and nothing is loaded from the path on disk.
TEST(SkinEngine, TheLoadedLibraryIsTheOneThatWasCompared) {
    EngineFolder folder;
    Bytes foreign = folder.engine;
    foreign.push_back(0); // loadable, but not ours
    const auto swapped = folder.dir.path() / "swapped.dll";
    WriteNewFile(swapped, foreign);
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(::inotify_add_watch(watch, folder.library.c_str(), IN_OPEN), 0);
    std::thread swapper([&] {
        char event[sizeof(inotify_event) + NAME_MAX + 1];
        if (::read(watch, event, sizeof event) > 0) {
            std::filesystem::rename(swapped, folder.library); // right after the first open
        }
    });
    SkinEngineBinding engine(folder.library, folder.engine);
    EXPECT_TRUE(engine.SkinH_SetAero(1));
    swapper.join();
    ::close(watch);
    EXPECT_TRUE(engine.isLoaded());
    EXPECT_FALSE(MappedFrom(folder.dir.path()));
    EXPECT_EQ(ReadWholeFile(folder.library), foreign); // the swap did happen
}

} // namespace
} // namespace trimvox
