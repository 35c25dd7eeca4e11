// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace trimvox {

// How bytes travel from the source to the target.
enum class CopyMethod {
    Fastest,   // inside the kernel (copy_file_range) where the source offset and the target's position lie
               // at the same place within a page and the kernel can copy, else ReadWrite
    ReadWrite, // through a few fixed buffers in memory, read by a second thread while written
               // (buffered_copy.h)
};

// What a copy did: how many bytes it wrote, and which side failed (errno) if one did.
struct CopyOutcome {
    std::int64_t copied = 0;
    int readError = 0;  // errno of a failed read of the source
    int writeError = 0; // errno of a failed write of the target

    bool ok() const { return readError == 0 && writeError == 0; }
};

// Copies up to `count` bytes of the open file `source`, starting at its zero-based `offset`, to the open
// file `target` at target's current position, in bounded memory whatever the count. The copy stops early,
// without an error, where the source ends. The source's own file position is left alone.
CopyOutcome CopyByteRange(int source, std::int64_t offset, std::int64_t count, int target,
                          CopyMethod method = CopyMethod::Fastest);

} // namespace trimvox
