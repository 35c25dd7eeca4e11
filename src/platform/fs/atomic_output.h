#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace trimvox {

// Fills the open, empty temporary file `fd`; returns an empty text when every byte is written, else the
// reason the content could not be made (which becomes the result of WriteFileAtomically).
using OutputFiller = std::function<std::string(int fd)>;

// Makes a new file at `target` without ever showing a half-written one: `fill` writes into a temporary
// file in the target's folder, which is put in place over the target only when `fill` succeeded and the
// file is closed. Returns an empty text on success, else the reason; on failure the target is as it was
// and no temporary file is left.
std::string WriteFileAtomically(const std::filesystem::path& target, const OutputFiller& fill);

} // namespace trimvox
