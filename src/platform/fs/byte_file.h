#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace trimvox {

using Bytes = std::vector<std::uint8_t>;

// Reads a whole file; nothing when it cannot be opened or read.
std::optional<Bytes> ReadWholeFile(const std::filesystem::path& path);

// Writes bytes to a path the way resources are written out: the old file is deleted first, then the
// bytes are written in one piece. Returns false when any of it failed; a partly written file is removed.
bool WriteNewFile(const std::filesystem::path& path, const Bytes& bytes);

// Replaces a file atomically: the bytes go to a temporary file in the same folder, which is then renamed
// over the target, so the target is always either the old file or the new one, never half of either.
bool ReplaceFileAtomically(const std::filesystem::path& path, const Bytes& bytes);

// A temporary name beside `path` that no other file has, for writing before an atomic rename.
std::filesystem::path TemporarySibling(const std::filesystem::path& path);

} // namespace trimvox
