// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/crc16.h"

namespace trimvox {

namespace {

void AddMsbFirst(std::uint16_t& crc, std::uint8_t byte) {
    for (int bit = 7; bit >= 0; --bit) {
        const bool top = ((crc >> 15) & 1) != ((byte >> bit) & 1);
        crc = static_cast<std::uint16_t>(crc << 1);
        if (top) {
            crc ^= 0x8005;
        }
    }
}

} // namespace

std::uint16_t LameTagCrc(const std::uint8_t* data, std::size_t size) {
    std::uint16_t crc = 0;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 1) != 0 ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                                 : static_cast<std::uint16_t>(crc >> 1);
        }
    }
    return crc;
}

std::uint16_t MpegFrameCrc(const std::uint8_t* frame, std::size_t checkedLength) {
    std::uint16_t crc = 0xFFFF;
    AddMsbFirst(crc, frame[2]);
    AddMsbFirst(crc, frame[3]);
    for (std::size_t i = 0; i < checkedLength; ++i) {
        AddMsbFirst(crc, frame[6 + i]);
    }
    return crc;
}

} // namespace trimvox
