// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace trimvox {

// Whether `path`, its links followed, names the open file `fd` (the same device and inode), under any name.
bool IsSameFile(int fd, const std::filesystem::path& path);

} // namespace trimvox
