// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace trimvox {

// The folder that holds every file the program writes by itself: "<XDG data home>/trimvox/", that is
// $XDG_DATA_HOME/trimvox/ when XDG_DATA_HOME is an absolute path, else $HOME/.local/share/trimvox/.
// Always returned with its trailing separator. Read anew on each call, so tests can move it.
std::string DataFolder();

// A file inside the data folder, by name ("set.ini", "tcut.mp3", ...).
std::filesystem::path DataFile(const std::string& name);

// The names of the files in the data folder.
inline constexpr const char* kSkinEngineFileName = "SkinH_VB6.dll";
inline constexpr const char* kDefaultSkinFileName = "skinh.she";
inline constexpr const char* kStyleFileName = "tstyle.she";
inline constexpr const char* kSettingsFileName = "set.ini";
inline constexpr const char* kPreviewFileName = "tcut.mp3";

} // namespace trimvox
