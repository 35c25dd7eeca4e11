// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

// The program's settings and path procedures.
namespace trimvox::mymode {

// The stored skin number as text, carried between the settings file, start-up and the skin button.
// After LoadStyleSetting it holds the stored text followed by NUL characters up to its full length of
// 255 characters; readers take it up to the first NUL.
extern std::string StyleValue;

inline constexpr std::size_t kStyleValueLength = 255;

// Replaces StyleValue with the text stored under [guistyle] style in set.ini ("0" when missing).
void LoadStyleSetting();

// Stores StyleValue (up to its first NUL) under [guistyle] style in set.ini. A failed write leaves the
// file as it was; the result says whether it was written.
bool SaveStyleSetting();

// Creates a folder with all its missing parents. `path` ends with a separator. When the folder already
// holds a visible file, nothing is done and the result is false; otherwise the result says whether the
// folder now exists (created owner-only).
bool CreateFolder(const std::string& path);

// The text after the last "." of `path` (the whole path when it has none; case preserved).
std::string GetExtension(const std::string& path);

// The settings file, "set.ini" in the data folder.
std::filesystem::path SettingsFile();

} // namespace trimvox::mymode
