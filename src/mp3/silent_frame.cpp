// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/silent_frame.h"

#include "mp3/bit_reservoir.h"
#include "mp3/crc16.h"

#include <algorithm>
#include <optional>

namespace trimvox {

namespace {

std::uint32_t WithBitRateIndex(std::uint32_t header, std::uint32_t index) {
    return (header & ~std::uint32_t{0xF200}) | (index << 12); // no padding
}

void WriteHeader(std::uint8_t* frame, std::uint32_t header) {
    frame[0] = static_cast<std::uint8_t>(header >> 24);
    frame[1] = static_cast<std::uint8_t>(header >> 16);
    frame[2] = static_cast<std::uint8_t>(header >> 8);
    frame[3] = static_cast<std::uint8_t>(header);
}

void ZeroSideInfo(std::uint8_t* frame, const Layer3Layout& layout) {
    std::fill_n(frame + layout.sideInfoOffset, layout.sideInfoLength, std::uint8_t{0});
    if (layout.protectedByCrc) {
        const std::uint16_t crc = MpegFrameCrc(frame, static_cast<std::size_t>(layout.sideInfoLength));
        frame[4] = static_cast<std::uint8_t>(crc >> 8);
        frame[5] = static_cast<std::uint8_t>(crc & 0xFF);
    }
}

} // namespace

std::vector<std::uint8_t> BuildSilentFrame(std::uint32_t like, const std::uint8_t* reservoir,
                                           std::size_t size) {
    const std::uint32_t own = (like >> 12) & 0xF;
    std::optional<Layer3Layout> chosen;
    std::uint32_t header = 0;
    for (std::uint32_t step = 0; step <= 14 && !chosen; ++step) {
        const std::uint32_t index = step == 0 ? own : step; // the frame's own bit rate first
        if (index < 1 || index > 14) {
            continue;
        }
        const std::uint32_t candidate = WithBitRateIndex(like, index);
        const auto layout = Layer3LayoutOf(candidate);
        if (layout && static_cast<std::size_t>(layout->length - layout->mainDataOffset) >= size) {
            chosen = layout;
            header = candidate;
        }
    }
    if (!chosen) {
        return {};
    }
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(chosen->length), 0);
    WriteHeader(frame.data(), header);
    std::copy_n(reservoir, size, frame.end() - static_cast<std::ptrdiff_t>(size));
    ZeroSideInfo(frame.data(), *chosen);
    return frame;
}

bool SilenceFrame(std::uint8_t* frame, std::size_t size) {
    if (size < 4) {
        return false;
    }
    const std::uint32_t header = (std::uint32_t{frame[0]} << 24) | (std::uint32_t{frame[1]} << 16) |
                                 (std::uint32_t{frame[2]} << 8) | frame[3];
    const auto layout = Layer3LayoutOf(header);
    if (!layout || size < static_cast<std::size_t>(layout->mainDataOffset)) {
        return false;
    }
    ZeroSideInfo(frame, *layout);
    return true;
}

} // namespace trimvox
