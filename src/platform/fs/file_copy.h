// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace trimvox {

// Copies a regular file over a file the user named without ever leaving the target half written (see
// ReplacePolicy::UserFile): the bytes go to a temporary file beside the target, which is renamed over it
// once complete; a symbolic link is followed and the file it leads to is replaced, the permission bits are
// kept, and a write-protected file or one that is not a regular file is refused. Returns an empty text on
// success, else the system's reason; on failure the target is as it was and no temporary file is left.
std::string CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace trimvox
