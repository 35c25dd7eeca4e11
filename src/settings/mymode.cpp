// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/mymode.h"

#include "platform/fs/data_folder.h"
#include "platform/fs/file_exists.h"
#include "settings/private_profile.h"

#include <system_error>

namespace trimvox::mymode {

std::string StyleValue;

namespace {
constexpr const char* kSection = "guistyle";
constexpr const char* kKey = "style";
constexpr const char* kDefault = "0";

bool HoldsVisibleFile(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator it(folder, error);
    if (error) {
        return false;
    }
    for (const auto& entry : it) {
        if (FileExists(entry.path())) {
            return true;
        }
    }
    return false;
}
} // namespace

std::filesystem::path SettingsFile() {
    return DataFile(kSettingsFileName);
}

void LoadStyleSetting() {
    std::string text = GetPrivateProfileString(kSection, kKey, kDefault, kStyleValueLength, SettingsFile());
    if (text.size() < kStyleValueLength) {
        text.resize(kStyleValueLength, '\0');
    }
    StyleValue = text;
}

bool SaveStyleSetting() {
    const std::string value = StyleValue.substr(0, StyleValue.find('\0'));
    return WritePrivateProfileString(kSection, kKey, value, SettingsFile());
}

bool CreateFolder(const std::string& path) {
    // The part after the last separator names a file, not a folder, and is not created.
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return false;
    }
    const std::filesystem::path folder = path.substr(0, slash == 0 ? 1 : slash);
    if (HoldsVisibleFile(folder)) {
        return false;
    }
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
        return true;
    }
    std::filesystem::create_directories(folder, error);
    if (error) {
        return false;
    }
    std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, error);
    return std::filesystem::is_directory(folder, error);
}

std::string GetExtension(const std::string& path) {
    if (path.empty()) {
        return {};
    }
    const auto dot = path.find_last_of('.');
    return dot == std::string::npos ? path : path.substr(dot + 1);
}

} // namespace trimvox::mymode
