// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/resources/resource_table.h"
#include "skinengine/skin_file.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace trimvox::skin {
namespace {

std::vector<std::uint8_t> Text(const std::string& text) {
    return {text.begin(), text.end()};
}

TEST(SkinFile, ParsesColoursAndSkipsWhatItDoesNotKnow) {
    const auto skin = ParseSkinFile(Text(".SHE\nname=x\nwindow=#102030\r\nbogus=#FFFFFF\nlabel=#abcdef\n"
                                         "text=#12345\nframe=red\nno equals sign\n"));
    ASSERT_TRUE(skin);
    EXPECT_EQ(skin->name, "x");
    EXPECT_EQ(skin->colours.window, 0x102030u);
    EXPECT_EQ(skin->colours.label, 0xABCDEFu);
    EXPECT_EQ(skin->colours.text, SkinColours{}.text); // malformed: keeps the default
    EXPECT_EQ(skin->colours.frame, SkinColours{}.frame);
}

TEST(SkinFile, RefusesWhatIsNotASkin) {
    const std::vector<std::vector<std::uint8_t>> bad = {{},
                                                        Text(".SH"),
                                                        Text("SHE.\nwindow=#FFFFFF\n"),
                                                        Text(".SHE\n"),
                                                        Text(".SHE\nwindow=#GGGGGG\n"),
                                                        {0x7F, 'E', 'L', 'F', 1, 2, 3}};
    for (const auto& bytes : bad) {
        EXPECT_FALSE(ParseSkinFile(bytes)) << std::string(bytes.begin(), bytes.end());
    }
}

TEST(SkinResources, SeventeenSkinsWithTheTwoRepeatedPairs) {
    std::set<std::vector<std::uint8_t>> distinct;
    std::set<std::uint32_t> windows;
    for (int number = 102; number <= 118; ++number) {
        const auto bytes = LoadCustomResource(number);
        ASSERT_TRUE(bytes) << number;
        const auto skin = ParseSkinFile(*bytes);
        ASSERT_TRUE(skin) << number;
        distinct.insert(*bytes);
        windows.insert(skin->colours.window);
    }
    EXPECT_EQ(LoadCustomResource(108), LoadCustomResource(113));
    EXPECT_EQ(LoadCustomResource(114), LoadCustomResource(115));
    EXPECT_EQ(distinct.size(), 15u);
    EXPECT_EQ(windows.size(), 15u); // each skin looks different
    EXPECT_FALSE(LoadCustomResource(100));
    EXPECT_FALSE(LoadCustomResource(119));
    ASSERT_TRUE(LoadCustomResource(101));
    EXPECT_GT(LoadCustomResource(101)->size(), 1000u);
}

} // namespace
} // namespace trimvox::skin
