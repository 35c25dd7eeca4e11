#pragma once

#include <filesystem>
#include <string>

namespace trimvox {

// Copies a file over a target without ever leaving the target half written: the bytes go to a temporary
// file beside the target, which is renamed over it once complete. Returns an empty text on success, else
// the system's reason; on failure the target is as it was and no temporary file is left.
std::string CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target);

} // namespace trimvox
