// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/last_folder.h"

#include "settings/mymode.h"
#include "settings/private_profile.h"
#include "support/temp_data_home.h"

#include <fstream>
#include <gtest/gtest.h>

namespace trimvox::mymode {
namespace {

// What the open dialog gets back after a file in a folder was opened, and what then happens to the folder.
TEST(LastFolder, ComesBackOnlyWhileItIsAnExistingFolder) {
    test::TempDataHome home;
    std::filesystem::create_directories(home.dataFolder());
    test::TempDir files;

    struct Case {
        const char* what;
        std::string folder;     // made under the test folder unless it names something else
        bool stored;            // SaveLastFolder's result
        bool removeAfterSaving; // the folder is gone by the next start
        bool comesBack;         // LoadLastFolder gives the folder
    };
    const Case cases[] = {
        {"a plain folder", "songs", true, false, true},
        {"spaces at both ends and a quote", " 歌曲 \"live\" ", true, false, true},
        {"an equals sign and brackets", "a=b [c]", true, false, true},
        {"a folder removed since", "gone", true, true, false},
        {"a line break (could inject a key)", "x\n[guistyle]\nstyle=999", false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::filesystem::path folder = files.path() / c.folder;
        std::filesystem::create_directories(folder);
        EXPECT_EQ(SaveLastFolder((folder / "song.mp3").string()), c.stored);
        if (c.removeAfterSaving) {
            std::filesystem::remove_all(folder);
        }
        EXPECT_EQ(LoadLastFolder(), c.comesBack ? folder.string() : std::string());
    }
    // Nothing else in the file was touched by the folder's entries.
    EXPECT_EQ(GetPrivateProfileString("guistyle", "style", "none", 255, SettingsFile()), "none");
}

TEST(LastFolder, IsIgnoredWhenNotStoredOrNotAnAbsoluteFolder) {
    test::TempDataHome home;
    std::filesystem::create_directories(home.dataFolder());
    EXPECT_EQ(LoadLastFolder(), "");
    for (const char* stored : {"relative/folder", "/no/such/folder", ""}) {
        std::ofstream(SettingsFile()) << "[paths]\nlastfolder=" << stored << "\n";
        EXPECT_EQ(LoadLastFolder(), "") << stored;
    }
    // A file stands where the folder was.
    test::TempDir files;
    std::ofstream(files.path() / "plain") << "x";
    std::ofstream(SettingsFile()) << "[paths]\nlastfolder=" << (files.path() / "plain").string() << "\n";
    EXPECT_EQ(LoadLastFolder(), "");
}

} // namespace
} // namespace trimvox::mymode
