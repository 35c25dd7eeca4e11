// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace trimvox {

// The 100-entry table of contents of a Xing header, gathered frame by frame in bounded memory: entry i
// is where the audio is i percent through its frames, as 256ths of the audio's bytes. Only every n-th
// frame's position is kept (n doubling as the cut grows), so a cut of any length uses a few pages.
class SeekTableBuilder {
public:
    // The frames of the cut, in order.
    void AddFrame(std::int64_t size);

    std::int64_t frames() const { return frames_; }
    std::int64_t bytes() const { return bytes_; }
    std::array<std::uint8_t, 100> Build() const;

private:
    static constexpr std::size_t kMaxPositions = 4096;

    std::vector<std::int64_t> positions_; // the bytes before frame k * stride_
    std::int64_t stride_ = 1;
    std::int64_t frames_ = 0;
    std::int64_t bytes_ = 0;
};

} // namespace trimvox
