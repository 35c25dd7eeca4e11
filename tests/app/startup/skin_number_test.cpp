// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/startup_sequence.h"

#include <gtest/gtest.h>

namespace trimvox {
namespace {

TEST(StartupSkinNumber, TurnsTheStoredTextIntoASkin) {
    const std::pair<std::string, int> cases[] = {
        {"110", 110},
        {" 104", 104},
        {" 104" + std::string(251, '\0'), 104},
        {"105.9", 105},
        {"  118  ", 118},
        {"-5", -5},
        {"-0.5", -1},
        {"5", 5},
        {"32767", 32767},
        {"-32768", -32768},
        {"", 104},
        {"0", 104},
        {"0.7", 104},
        {"abc", 104},
        {"110abc", 104},
        {"0x6E", 104},
        {"inf", 104},
        {"32768", 104},
        {"-32769", 104},
        {"1e9", 104},
        {std::string("\0"
                     "110",
                     4),
         104},
    };
    for (const auto& [text, skin] : cases) {
        EXPECT_EQ(StartupSkinNumber(text), skin) << '"' << text << '"';
    }
}

} // namespace
} // namespace trimvox
