// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fs/same_file.h"

#include <sys/stat.h>

namespace trimvox {

bool IsSameFile(int fd, const std::filesystem::path& path) {
    struct stat from {};
    struct stat to {};
    return ::fstat(fd, &from) == 0 && ::stat(path.c_str(), &to) == 0 && from.st_dev == to.st_dev &&
           from.st_ino == to.st_ino;
}

} // namespace trimvox
