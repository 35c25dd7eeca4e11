// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

namespace trimvox {

// Files up to this size have their frames walked at once when they must be (see ReadMediaInfo); larger ones
// in the background.
inline constexpr std::int64_t kWalkAtOnceLimit = std::int64_t{24} << 20;

// Whether the stream in the open file `fd` of `size` bytes starts with a Xing, Info or VBRI header frame
// that counts its frames, so that its length is known from the header alone.
bool HeaderCountsFrames(int fd, std::int64_t size);

// The playing time in seconds of the MPEG audio in the open file `fd` of `size` bytes, from all of its
// frames, walked one after the other without decoding (for a stream whose header does not count them, as a
// VBR stream without a Xing header): their samples less the encoder's delay and padding a LAME tag gives.
// Nothing when no frame is found, or when `cancel` turned true meanwhile.
std::optional<double> WalkedDuration(int fd, std::int64_t size, const std::atomic<bool>* cancel = nullptr);

} // namespace trimvox
