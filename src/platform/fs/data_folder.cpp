// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fs/data_folder.h"

#include <cstdlib>

namespace trimvox {

std::string DataFolder() {
    std::string base;
    const char* xdg = std::getenv("XDG_DATA_HOME");
    if (xdg != nullptr && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = std::string(home != nullptr ? home : "") + "/.local/share";
    }
    while (base.size() > 1 && base.back() == '/') {
        base.pop_back();
    }
    return base + "/trimvox/";
}

std::filesystem::path DataFile(const std::string& name) {
    return std::filesystem::path(DataFolder() + name);
}

} // namespace trimvox
