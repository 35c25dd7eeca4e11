// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>
#include <string>
#include <vector>

namespace trimvox {

using Bytes = std::vector<std::uint8_t>;

// Reads a whole file; nothing when it cannot be opened or read, is not a regular file (it is opened
// without blocking, so a FIFO or a device cannot hang the reader) or holds more than `maxBytes` bytes.
// A symbolic link is followed.
std::optional<Bytes> ReadWholeFile(const std::filesystem::path& path,
                                   std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// The same from an open file, read from its start; nothing when it is not a regular file, cannot be read
// or holds more than `maxBytes` bytes.
std::optional<Bytes> ReadWholeDescriptor(int fd,
                                         std::size_t maxBytes = std::numeric_limits<std::size_t>::max());

// Writes all of `size` bytes to the open file `fd`, resuming after partial writes and interruptions;
// an empty text, or the system's reason.
std::string WriteAllBytes(int fd, const std::uint8_t* data, std::size_t size);

// Writes a resource file of the data folder: the bytes go to a temporary file in the folder, which is
// renamed into place when complete, so an interrupted write leaves no file under the real name. A symbolic
// link at the name is replaced, never written through; another entry that is not a regular file (a folder,
// a FIFO) is left alone and the write fails. Returns false when the file was not written.
bool WriteNewFile(const std::filesystem::path& path, const Bytes& bytes);

// Replaces a file the user owns atomically (see ReplacePolicy::UserFile): the bytes go to a temporary file
// in the same folder, which is then renamed over the target, so the target is always either the old file
// or the new one, never half of either. A symbolic link is followed and the file it leads to is replaced;
// the permission bits are kept; a file without write permission is refused and left as it is.
bool ReplaceFileAtomically(const std::filesystem::path& path, const Bytes& bytes);

} // namespace trimvox
