#pragma once

#include <filesystem>
#include <optional>

namespace trimvox {

// The playing time of an MP3 file in seconds, read from its frames (and its Xing/Info header when it has
// one) with TagLib; nothing when the file cannot be read or holds no MPEG audio.
std::optional<double> ReadMediaLength(const std::filesystem::path& path);

} // namespace trimvox
