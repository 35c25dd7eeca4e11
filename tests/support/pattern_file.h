// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fs/byte_file.h"

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace trimvox::test {

// A byte that differs from its neighbours at every distance a cut could be off by.
inline std::uint8_t PatternByte(std::int64_t i) {
    auto x = static_cast<std::uint64_t>(i) * 0x9E3779B97F4A7C15ull;
    return static_cast<std::uint8_t>(x >> 56);
}

inline Bytes PatternBytes(std::int64_t offset, std::int64_t count) {
    Bytes bytes(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        bytes[static_cast<std::size_t>(i)] = PatternByte(offset + i);
    }
    return bytes;
}

// Writes `size` pattern bytes to a new file.
inline void WritePatternFile(const std::filesystem::path& path, std::int64_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const Bytes bytes = PatternBytes(0, size);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace trimvox::test
