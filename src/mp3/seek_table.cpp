// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/seek_table.h"

#include <algorithm>

namespace trimvox {

void SeekTableBuilder::AddFrame(std::int64_t size) {
    if (frames_ % stride_ == 0) {
        positions_.push_back(bytes_);
        if (positions_.size() > kMaxPositions) {
            std::size_t kept = 0;
            for (std::size_t i = 0; i < positions_.size(); i += 2) {
                positions_[kept++] = positions_[i];
            }
            positions_.resize(kept);
            stride_ *= 2;
        }
    }
    bytes_ += size;
    ++frames_;
}

std::array<std::uint8_t, 100> SeekTableBuilder::Build() const {
    std::array<std::uint8_t, 100> table{};
    if (frames_ == 0 || bytes_ <= 0) {
        return table;
    }
    for (int i = 0; i < 100; ++i) {
        const std::int64_t frame = frames_ * i / 100;
        const std::size_t kept = std::min(static_cast<std::size_t>(frame / stride_), positions_.size() - 1);
        const std::int64_t entry = positions_[kept] * 256 / bytes_;
        table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::min<std::int64_t>(entry, 255));
    }
    return table;
}

} // namespace trimvox
