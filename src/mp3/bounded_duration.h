// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>

namespace trimvox {

// The most that EstimateDuration reads of a file, whatever its size.
inline constexpr std::int64_t kDurationReadLimit = std::int64_t{1} << 20;

// The playing time in seconds of the MPEG audio in the open file `fd` from `audioStart` (after a leading
// tag) to `fileSize`, as players estimate it without scanning: from the first frames (and their Info/Xing
// header when there is one, less the encoder's delay and padding its LAME tag gives, as gapless players
// play it) and the file's size. Reads at most kDurationReadLimit bytes: a file of any size
// answers at once. Nothing when no two whole frames are found near the start.
std::optional<double> EstimateDuration(int fd, std::int64_t audioStart, std::int64_t fileSize);

} // namespace trimvox
