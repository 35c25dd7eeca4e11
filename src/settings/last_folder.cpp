// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/last_folder.h"

#include "settings/mymode.h"
#include "settings/private_profile.h"

#include <filesystem>
#include <system_error>

namespace trimvox::mymode {

namespace {
constexpr const char* kSection = "paths";
constexpr const char* kKey = "lastfolder";
constexpr std::size_t kCapacity = 4096; // PATH_MAX
} // namespace

std::string LoadLastFolder() {
    const std::string folder = GetPrivateProfileString(kSection, kKey, "", kCapacity, SettingsFile());
    const std::filesystem::path path(folder);
    std::error_code error;
    if (folder.empty() || !path.is_absolute() || !std::filesystem::is_directory(path, error)) {
        return {};
    }
    return folder;
}

bool SaveLastFolder(const std::string& file) {
    const std::string folder = std::filesystem::path(file).parent_path().string();
    if (folder.empty() || folder.find_first_of("\r\n") != std::string::npos) {
        return false;
    }
    // Quoted, so that spaces at either end of the name survive the reading, which trims them.
    return WritePrivateProfileString(kSection, kKey, "\"" + folder + "\"", SettingsFile());
}

} // namespace trimvox::mymode
