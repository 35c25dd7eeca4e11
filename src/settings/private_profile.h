// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace trimvox {

// Reader and writer of initialisation files ("[section]" headers, one "key=value" line per key) with
// the semantics the program relies on:
// - section and key names match without regard to case, spaces around names and values are ignored;
// - a value enclosed in matching quotes (" or ') loses them;
// - a missing file, section or key gives the default;
// - the value comes back cut to `capacity` characters (characters, not bytes: text is UTF-8);
// - writing creates the file, the section or the key as needed and leaves every other line as it was;
// - the file is replaced atomically, so a failed write leaves the old file whole.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t capacity,
                                    const std::filesystem::path& file);

// Returns false when the file could not be written (the old file then stays as it was).
bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::filesystem::path& file);

} // namespace trimvox
