// SPDX-License-Identifier: GPL-3.0-or-later
// The "CUSTOM" resources the program carries: the skin engine library, the default skin and the skins.
#include "platform/resources/resource_table.h"
#include "skinengine/skin_file.h"

#include <gtest/gtest.h>

namespace trimvox {
namespace {

TEST(ResourceTable, CarriesTheEngineAndEverySkinAndNothingElse) {
    const auto engine = LoadCustomResource(kSkinEngineResource);
    ASSERT_TRUE(engine.has_value());
    ASSERT_GE(engine->size(), 4u);
    EXPECT_EQ(Bytes(engine->begin(), engine->begin() + 4), (Bytes{0x7F, 'E', 'L', 'F'}));
    for (int number = kDefaultSkinResource; number <= kLastSkinResource; ++number) {
        const auto skin = LoadCustomResource(number);
        ASSERT_TRUE(skin.has_value()) << number;
        EXPECT_TRUE(skin::ParseSkinFile(*skin).has_value()) << number;
    }
    // Two skins are carried twice, under two numbers.
    EXPECT_EQ(LoadCustomResource(113), LoadCustomResource(108));
    EXPECT_EQ(LoadCustomResource(115), LoadCustomResource(114));
    for (const int number : {0, 100, kLastSkinResource + 1, -1}) {
        EXPECT_FALSE(LoadCustomResource(number).has_value()) << number;
    }
}

} // namespace
} // namespace trimvox
