// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace trimvox {

// The two loops that read and write spans of open files; every other reader and writer goes through them.
// Both resume after short counts and after interruptions by signals (EINTR), so a caller sees a span as a
// whole or an error.

// Reads up to `size` bytes of `fd` at `offset` into `data`, stopping early only where the file ends:
// the bytes read, or -errno (the bytes read before a failure are in `data`, but not counted).
std::int64_t ReadSpan(int fd, void* data, std::size_t size, std::int64_t offset);

// Writes all of `size` bytes to `fd`: at its file position when `offset` is negative (the position moves
// on), else at `offset` (the position stays). 0, or the errno of the failure (EIO for a write of nothing).
int WriteSpan(int fd, const void* data, std::size_t size, std::int64_t offset = -1);

} // namespace trimvox
