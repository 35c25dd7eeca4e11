// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/launch_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace trimvox {

LaunchFile CheckLaunchFile(const std::string& given) {
    const auto fail = [&given](const std::string& why) { return LaunchFile{{}, "'" + given + "': " + why}; };
    struct stat status {};
    if (::stat(given.c_str(), &status) != 0) {
        return fail(errno == ENOENT ? "no such file" : std::strerror(errno));
    }
    if (S_ISDIR(status.st_mode)) {
        return fail("is a folder, not a file");
    }
    if (!S_ISREG(status.st_mode)) {
        return fail("is not a regular file");
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(given, error);
    if (error) {
        return fail(error.message());
    }
    return LaunchFile{absolute.lexically_normal().string(), {}};
}

} // namespace trimvox
