// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace trimvox {

// A file exists when a search for exactly that path that skips hidden files finds a regular file:
// a folder, a missing path or a hidden file (its name starts with ".") counts as missing.
bool FileExists(const std::filesystem::path& path);

} // namespace trimvox
