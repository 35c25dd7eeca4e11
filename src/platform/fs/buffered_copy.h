// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fs/byte_range_copy.h"

#include <cstdint>

namespace trimvox {

// The copy through memory: kCopyBufferCount buffers of kCopyBufferSize bytes each. A second thread reads
// ahead into two of them while this one writes; this thread reads into the third itself whatever the other
// has not read yet, so it never waits for it. Copies of at most two buffers, and copies on a single
// processor, are done in this thread alone. 256 KiB buffers keep the system calls few and each copy in the
// processor's cache. Measured with cut_bench and by timing the ways side by side, idle and with one or two
// processors kept busy: one buffer of 128 or 256 KiB, and two to four of 64 KiB to 512 KiB.
inline constexpr std::int64_t kCopyBufferSize = 256 << 10;
inline constexpr int kCopyBufferCount = 3;

// Copies up to `count` bytes of `source` from `offset` to `target` at its current position, adding to
// `outcome` (which may already count bytes copied before: the copy goes on from there). It stops, without
// an error, where the source ends; on the first failed read or write it records that errno and stops, every
// byte read before the failure being written.
void CopyThroughBuffers(int source, std::int64_t offset, std::int64_t count, int target,
                        CopyOutcome& outcome);

// Where the copied bytes start within a buffer, counted from a page boundary: a place in [0, page).
// A copy is slowest when the address it stores to lies a little ahead of the one it loads from, modulo the
// page size: the processor then takes the loads for ones that depend on the recent stores. So both copies,
// source to buffer and buffer to target, are kept about a quarter of a page or more away from that, and
// the buffer-to-target copy keeps the target's place within a cache line.
std::int64_t CopyBufferStart(std::int64_t sourceOffset, std::int64_t targetPosition, std::int64_t page);

} // namespace trimvox
