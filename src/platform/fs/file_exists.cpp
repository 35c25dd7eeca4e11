// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fs/file_exists.h"

#include <system_error>

namespace trimvox {

bool FileExists(const std::filesystem::path& path) {
    const std::string name = path.filename().string();
    if (name.empty() || name.front() == '.') {
        return false;
    }
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

} // namespace trimvox
