// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace trimvox {

// Where the parts of a layer III frame lie, from its first header byte.
struct Layer3Layout {
    int sideInfoOffset = 0; // 4, or 6 after a CRC
    int sideInfoLength = 0; // 32, 17 or 9 bytes
    int mainDataOffset = 0; // where the frame's main-data area starts
    int length = 0;         // the whole frame
    bool protectedByCrc = false;
};

// The layout of a layer III frame with this header; nothing for another layer or an invalid header.
std::optional<Layer3Layout> Layer3LayoutOf(std::uint32_t header);

// How many bytes before its main-data area a layer III frame's audio data starts (main_data_begin: the
// bytes it takes from the frames before it), read from the first bytes of its side information.
int MainDataBegin(const std::uint8_t* sideInfo, int version);

// The most bytes main_data_begin can reach back: 511 for MPEG-1, 255 for MPEG-2 and 2.5.
int MaxReservoir(int version);

// The last bytes of the main-data areas of the frames read so far, as many as a following frame can
// reach back to; a few hundred bytes whatever the length of the stream.
class ReservoirTail {
public:
    explicit ReservoirTail(int capacity) : capacity_(static_cast<std::size_t>(capacity)) {}
    // The main-data area of the next frame in the stream.
    void Append(const std::uint8_t* data, std::size_t size);
    void Clear() { bytes_.clear(); }
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::size_t capacity_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace trimvox
