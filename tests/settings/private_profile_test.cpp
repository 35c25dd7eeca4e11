// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/private_profile.h"

#include "support/temp_data_home.h"

#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace trimvox {
namespace {

class PrivateProfile : public ::testing::Test {
protected:
    void Write(const std::string& text) { std::ofstream(file_, std::ios::binary) << text; }
    std::string Read() const {
        std::ifstream in(file_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string Get(const std::string& section, const std::string& key, std::size_t capacity = 255) {
        return GetPrivateProfileString(section, key, "0", capacity, file_);
    }

    test::TempDir dir_;
    std::filesystem::path file_ = dir_.path() / "set.ini";
};

TEST_F(PrivateProfile, ReadsValuesTheWayTheProgramReliesOn) {
    struct Case {
        const char* file;
        const char* expected;
    };
    const Case cases[] = {
        {"[guistyle]\nstyle=110\n", "110"},
        {"[guistyle]\r\nstyle= 104\r\n", "104"},              // spaces around the value
        {"[GuiStyle]\nSTYLE = 105 \n", "105"},                // names without regard to case
        {"  [ guistyle ]  \n  style=106\n", "106"},           // spaces around the header
        {"[guistyle]\nstyle=\"107\"\n", "107"},               // matching quotes are dropped
        {"[guistyle]\nstyle='108\"\n", "'108\""},             // unmatched quotes stay
        {"[other]\nstyle=1\n[guistyle]\nstyle=109\n", "109"}, // the right section
        {"[guistyle]\nx=1\n[other]\nstyle=2\n", "0"},         // the key of another section
        {"[style]\nguistyle=110\n", "0"},                     // the reverse naming is not read
        {"[guistyle]\n", "0"},                                // section without the key
        {"style=111\n", "0"},                                 // key outside any section
        {"[guistyle]\nstyle=\n", ""},                         // an empty value is a value
        {"[guistyle]\nstyle=1=2\n", "1=2"},                   // only the first "=" splits
        {"[guistyle]\nstyle=112", "112"},                     // no line break at the end
    };
    for (const Case& c : cases) {
        Write(c.file);
        EXPECT_EQ(Get("guistyle", "style"), c.expected) << c.file;
    }
}

TEST_F(PrivateProfile, MissingOrUnusableFilesGiveTheDefault) {
    EXPECT_EQ(Get("guistyle", "style"), "0");
    std::filesystem::create_directory(file_); // set.ini that is a folder
    EXPECT_EQ(Get("guistyle", "style"), "0");
    std::filesystem::remove(file_);
    Write(std::string("\x00\xff\xfe[guistyle\x01\n\x80=\x81\n", 12));
    EXPECT_EQ(Get("guistyle", "style"), "0");
}

TEST_F(PrivateProfile, LongValuesAreCutToTheCapacityInCharacters) {
    Write("[guistyle]\nstyle=" + std::string(300, '7') + "\n");
    EXPECT_EQ(Get("guistyle", "style").size(), 255u);
    // Two-byte characters are never split.
    std::string wide;
    for (int i = 0; i < 10; ++i) {
        wide += "\xe4\xb8\xad"; // 中
    }
    Write("[guistyle]\nstyle=" + wide + "\n");
    EXPECT_EQ(Get("guistyle", "style", 4), "\xe4\xb8\xad\xe4\xb8\xad\xe4\xb8\xad\xe4\xb8\xad");
}

TEST_F(PrivateProfile, WritingCreatesWhatIsMissingAndKeepsTheRest) {
    ASSERT_TRUE(WritePrivateProfileString("guistyle", "style", " 103", file_));
    EXPECT_EQ(Read(), "[guistyle]\nstyle= 103\n");
    EXPECT_EQ(Get("guistyle", "style"), "103");

    Write("; comment\n[other]\na=1\n\n[GUISTYLE]\nx=2\nStyle=104\n\n[last]\nb=3\n");
    ASSERT_TRUE(WritePrivateProfileString("guistyle", "style", " 105", file_));
    EXPECT_EQ(Read(), "; comment\n[other]\na=1\n\n[GUISTYLE]\nx=2\nstyle= 105\n\n[last]\nb=3\n");

    Write("[guistyle]\nx=2\n\n[last]\nb=3\r\n");
    ASSERT_TRUE(WritePrivateProfileString("guistyle", "style", "7", file_));
    EXPECT_EQ(Read(), "[guistyle]\r\nx=2\r\nstyle=7\r\n\r\n[last]\r\nb=3\r\n");
}

TEST_F(PrivateProfile, AFailedWriteLeavesTheOldFileWhole) {
    std::filesystem::create_directory(file_);
    EXPECT_FALSE(WritePrivateProfileString("guistyle", "style", "1", file_));
    EXPECT_TRUE(std::filesystem::is_directory(file_));
    std::filesystem::remove(file_);

    Write("[guistyle]\nstyle=104\n");
    std::filesystem::permissions(dir_.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const bool wrote = WritePrivateProfileString("guistyle", "style", "105", file_);
    std::filesystem::permissions(dir_.path(), std::filesystem::perms::owner_all);
    if (!wrote) { // root may write anyway; then there is nothing to check
        EXPECT_EQ(Read(), "[guistyle]\nstyle=104\n");
    }
    // No temporary file is left behind in either case.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
        ++files;
    }
    EXPECT_EQ(files, 1);
}

} // namespace
} // namespace trimvox
