// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/cut_setting.h"

#include "settings/mymode.h"
#include "support/temp_data_home.h"

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

namespace trimvox::mymode {
namespace {

std::string ReadSettings() {
    std::ifstream in(SettingsFile());
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The setting goes through set.ini as [cut] precise=1 or 0, beside the other keys, which stay; it is off
// unless the file says exactly 1.
TEST(PreciseCutSetting, RoundTripsThroughTheSettingsFile) {
    test::TempDataHome home;
    std::filesystem::create_directories(home.dataFolder());
    EXPECT_FALSE(LoadPreciseCutSetting()) << "no file";
    std::ofstream(SettingsFile()) << "; kept\n[guistyle]\nstyle=105\n";
    EXPECT_FALSE(LoadPreciseCutSetting()) << "no section";

    ASSERT_TRUE(SavePreciseCutSetting(true));
    EXPECT_TRUE(LoadPreciseCutSetting());
    EXPECT_EQ(ReadSettings(), "; kept\n[guistyle]\nstyle=105\n[cut]\nprecise=1\n");
    ASSERT_TRUE(SavePreciseCutSetting(false));
    EXPECT_FALSE(LoadPreciseCutSetting());
    EXPECT_EQ(ReadSettings(), "; kept\n[guistyle]\nstyle=105\n[cut]\nprecise=0\n");

    const std::pair<const char*, bool> stored[] = {
        {"1", true}, {" 1 ", true}, {"\"1\"", true}, {"0", false}, {"yes", false}, {"2", false}, {"", false}};
    for (const auto& [text, on] : stored) {
        std::ofstream(SettingsFile()) << "[CUT]\nPrecise=" << text << "\n";
        EXPECT_EQ(LoadPreciseCutSetting(), on) << text;
    }
}

TEST(PreciseCutSetting, AFailedSaveSaysSo) {
    test::TempDataHome home; // no data folder: nothing can be written
    EXPECT_FALSE(SavePreciseCutSetting(true));
    EXPECT_FALSE(LoadPreciseCutSetting());
}

} // namespace
} // namespace trimvox::mymode
