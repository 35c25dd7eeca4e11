// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace trimvox {

// Fills the open, empty temporary file `fd`; returns an empty text when every byte is written, else the
// reason the content could not be made (which becomes the result of WriteFileAtomically).
using OutputFiller = std::function<std::string(int fd)>;

// What a write does with the entry that is already at the target's name.
enum class ReplacePolicy {
    // A file the user named (a saved copy, a cut's OUTPUT, the settings file): a symbolic link is followed
    // and the file it leads to is replaced, in that file's folder; a regular file keeps its permission bits
    // and is refused when it has no write permission (for root too: a file without any write bit); anything
    // else (a folder, device, FIFO or socket) is refused and left as it is.
    UserFile,
    // A file the program keeps in its data folder: a symbolic link is never followed but is itself replaced
    // by the new regular file; any other entry that is not a regular file is left alone and the write fails.
    DataFolderResource,
};

struct WriteOptions {
    ReplacePolicy policy = ReplacePolicy::UserFile;
    // Where the file system allows it, the bytes go to an unnamed temporary file (O_TMPFILE) in the
    // destination's folder, which gets a short name only once it is complete, just before the rename; no
    // kill can leave it behind. False uses the named temporary file of the other file systems straight
    // away (short name, removed on SIGINT and SIGTERM).
    bool unnamedTemporary = true;
};

// Makes a new file at `target` without ever showing a half-written one: `fill` writes into a temporary
// file in the destination's folder, which is renamed over the destination only when `fill` succeeded and
// the file is closed. Returns an empty text on success, else the reason; on failure the destination is as
// it was and no temporary file is left.
std::string WriteFileAtomically(const std::filesystem::path& target, const OutputFiller& fill,
                                const WriteOptions& options = {});

} // namespace trimvox
