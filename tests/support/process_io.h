// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace trimvox::test {

// One of this process's input and output counts kept by the kernel (/proc/self/io): "rchar" the bytes read
// (from the page cache and file holes too), "syscr" the read system calls (a copy_file_range is one).
// -1 when the kernel does not keep it.
inline std::int64_t ProcessIoCount(const std::string& name) {
    std::ifstream io("/proc/self/io");
    std::string key;
    std::int64_t value = 0;
    while (io >> key >> value) {
        if (key == name + ":") {
            return value;
        }
    }
    return -1;
}

} // namespace trimvox::test
