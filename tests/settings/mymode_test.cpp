// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/mymode.h"

#include "platform/fs/data_folder.h"
#include "support/temp_data_home.h"

#include <fstream>
#include <gtest/gtest.h>

namespace trimvox::mymode {
namespace {

TEST(StyleSetting, LoadPadsTheTextWithNulsAndDefaultsToZero) {
    test::TempDataHome home;
    std::filesystem::create_directories(home.dataFolder());
    LoadStyleSetting();
    ASSERT_EQ(StyleValue.size(), 255u);
    EXPECT_EQ(StyleValue.substr(0, StyleValue.find('\0')), "0");
    EXPECT_EQ(StyleValue.find_first_not_of('\0', 1), std::string::npos);

    StyleValue = " 110";
    ASSERT_TRUE(SaveStyleSetting());
    StyleValue.clear();
    LoadStyleSetting();
    EXPECT_EQ(StyleValue.substr(0, StyleValue.find('\0')), "110");
}

TEST(StyleSetting, SaveStoresTheTextUpToItsFirstNul) {
    test::TempDataHome home;
    std::filesystem::create_directories(home.dataFolder());
    StyleValue = std::string(" 104") + std::string(251, '\0');
    ASSERT_TRUE(SaveStyleSetting());
    std::ifstream in(SettingsFile());
    std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(all, "[guistyle]\nstyle= 104\n");
}

TEST(StyleSetting, SaveWithoutDataFolderFailsQuietly) {
    test::TempDataHome home;
    StyleValue = " 104";
    EXPECT_FALSE(SaveStyleSetting());
    EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
}

TEST(CreateFolder, CreatesMissingParentsAndReportsTheOutcome) {
    test::TempDir dir;
    const std::string path = (dir.path() / "a" / "b" / "trimvox").string() + "/";
    EXPECT_TRUE(CreateFolder(path));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "a" / "b" / "trimvox"));
    const auto perms = std::filesystem::status(dir.path() / "a" / "b" / "trimvox").permissions();
    EXPECT_EQ(perms & std::filesystem::perms::all, std::filesystem::perms::owner_all);

    // An existing empty folder: created again, true.
    EXPECT_TRUE(CreateFolder(path));
    // A folder holding a hidden file only counts as empty.
    std::ofstream(dir.path() / "a" / "b" / "trimvox" / ".hidden") << "x";
    EXPECT_TRUE(CreateFolder(path));
    // A folder holding a visible file: nothing is done, false.
    std::ofstream(dir.path() / "a" / "b" / "trimvox" / "set.ini") << "x";
    EXPECT_FALSE(CreateFolder(path));
}

TEST(CreateFolder, FailsWhereTheFolderCannotBe) {
    test::TempDir dir;
    std::ofstream(dir.path() / "file") << "x";
    EXPECT_FALSE(CreateFolder((dir.path() / "file").string() + "/"));
    EXPECT_FALSE(CreateFolder((dir.path() / "file" / "below").string() + "/"));
    EXPECT_FALSE(CreateFolder("no-separator"));
}

TEST(GetExtension, TakesTheTextAfterTheLastDot) {
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},      {"a.b.mp3", "mp3"},      {"song.MP3", "MP3"},        {"song", "song"},
        {"song.", ""}, {"/x.y/song", "y/song"}, {"/music/歌曲.Mp3", "Mp3"}, {".mp3", "mp3"},
    };
    for (const auto& [path, extension] : cases) {
        EXPECT_EQ(GetExtension(path), extension) << path;
    }
}

} // namespace
} // namespace trimvox::mymode
