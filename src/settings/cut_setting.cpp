// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/cut_setting.h"

#include "settings/mymode.h"
#include "settings/private_profile.h"

namespace trimvox::mymode {

namespace {
constexpr const char* kSection = "cut";
constexpr const char* kKey = "precise";
} // namespace

bool LoadPreciseCutSetting() {
    return GetPrivateProfileString(kSection, kKey, "0", 8, SettingsFile()) == "1";
}

bool SavePreciseCutSetting(bool on) {
    return WritePrivateProfileString(kSection, kKey, on ? "1" : "0", SettingsFile());
}

} // namespace trimvox::mymode
