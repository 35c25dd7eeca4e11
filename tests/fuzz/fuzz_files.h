// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace trimvox::fuzz {

// One anonymous file in memory (memfd_create) that each input is written into, for the parsers that only
// read an open file or a path: the path "/proc/self/fd/N" opens the same bytes again.
class MemoryFile {
public:
    // The process's one memory file, made on first use; the program stops when the system has none.
    static MemoryFile& Instance();

    // Replaces the file's bytes with `data`.
    void Fill(const std::uint8_t* data, std::size_t size);
    int fd() const { return fd_; }
    const std::filesystem::path& path() const { return path_; }
    std::int64_t size() const { return size_; }

private:
    MemoryFile();
    int fd_ = -1;
    std::filesystem::path path_;
    std::int64_t size_ = 0;
};

// A folder of this process for the files that a parser writes (a cut's output, a rewritten settings file):
// in /dev/shm where it can be had (memory), else in the temporary folder; removed when the process exits.
const std::filesystem::path& ScratchFolder();

} // namespace trimvox::fuzz
