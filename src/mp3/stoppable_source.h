// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <mpg123.h>
#include <sys/types.h>

namespace trimvox {

// The file as libmpg123 reads it (through mpg123_replace_reader_handle with Read and Seek), through calls
// that fail once `stop` is set: a long decoding pass, or a seek that reads every frame up to its goal,
// ends at once when asked to.
class StoppableSource {
public:
    StoppableSource(const std::filesystem::path& file, const std::atomic<bool>& stop)
        : in_(file, std::ios::binary), stop_(stop) {}
    bool isOpen() const { return in_.is_open(); }

    static mpg123_ssize_t Read(void* source, void* buffer, std::size_t bytes);
    static off_t Seek(void* source, off_t offset, int whence);

private:
    std::ifstream in_;
    const std::atomic<bool>& stop_;
};

} // namespace trimvox
