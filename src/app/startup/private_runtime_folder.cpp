// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/private_runtime_folder.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace trimvox {

bool IsPrivateFolder(const std::string& folder) {
    struct stat status {};
    if (folder.empty() || folder.front() != '/' || ::lstat(folder.c_str(), &status) != 0) {
        return false;
    }
    return S_ISDIR(status.st_mode) && status.st_uid == ::geteuid() && (status.st_mode & 077) == 0;
}

std::string PrivateRuntimeFolder() {
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR");
        runtime != nullptr && IsPrivateFolder(runtime)) {
        return runtime;
    }
    const char* temp = std::getenv("TMPDIR");
    std::string folder = (temp != nullptr && temp[0] == '/') ? temp : "/tmp";
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    folder += "/trimvox-" + std::to_string(::geteuid());
    ::mkdir(folder.c_str(), 0700); // fails when it exists: whoever made it, it is checked below
    return IsPrivateFolder(folder) ? folder : std::string();
}

} // namespace trimvox
