// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/bit_reservoir.h"

#include "mp3/mpeg_frame_header.h"

#include <algorithm>

namespace trimvox {

std::optional<Layer3Layout> Layer3LayoutOf(std::uint32_t header) {
    const auto parsed = ParseFrameHeader(header);
    if (!parsed || parsed->layer != 3) {
        return std::nullopt;
    }
    Layer3Layout layout;
    layout.protectedByCrc = (header & 0x00010000) == 0;
    layout.sideInfoOffset = layout.protectedByCrc ? 6 : 4;
    layout.sideInfoLength = SideInfoLength(parsed->version, parsed->mono);
    layout.mainDataOffset = layout.sideInfoOffset + layout.sideInfoLength;
    layout.length = parsed->length;
    if (layout.mainDataOffset > layout.length) {
        return std::nullopt;
    }
    return layout;
}

int MainDataBegin(const std::uint8_t* sideInfo, int version) {
    if (version == 10) {
        return (sideInfo[0] << 1) | (sideInfo[1] >> 7); // 9 bits
    }
    return sideInfo[0]; // 8 bits
}

int MaxReservoir(int version) {
    return version == 10 ? 511 : 255;
}

void ReservoirTail::Append(const std::uint8_t* data, std::size_t size) {
    if (size >= capacity_) {
        bytes_.assign(data + (size - capacity_), data + size);
        return;
    }
    const std::size_t keep = std::min(bytes_.size(), capacity_ - size);
    bytes_.erase(bytes_.begin(), bytes_.end() - static_cast<std::ptrdiff_t>(keep));
    bytes_.insert(bytes_.end(), data, data + size);
}

} // namespace trimvox
