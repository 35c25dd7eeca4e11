// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/mpeg_frame_header.h"

namespace trimvox {

namespace {

// Bit rates in kbit/s by [MPEG-1 ? 0 : 1][layer - 1][index].
constexpr int kBitRates[2][3][16] = {
    {{0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
     {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
     {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0}},
    {{0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
     {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0}},
};

constexpr int kSampleRates[3] = {44100, 48000, 32000}; // MPEG-1; halved for MPEG-2, quartered for 2.5

} // namespace

int BitRateOfIndex(int version, int layer, int index) {
    if (layer < 1 || layer > 3 || index < 1 || index > 14) {
        return 0;
    }
    return kBitRates[version == 10 ? 0 : 1][layer - 1][index];
}

int SideInfoLength(int version, bool mono) {
    if (version == 10) {
        return mono ? 17 : 32;
    }
    return mono ? 9 : 17;
}

std::optional<FrameHeader> ParseFrameHeader(const std::uint8_t* data, std::size_t size) {
    if (size < 4 || data[0] != 0xFF || (data[1] & 0xE0) != 0xE0) {
        return std::nullopt;
    }
    const int versionBits = (data[1] >> 3) & 3;
    const int layerBits = (data[1] >> 1) & 3;
    const int bitRateIndex = (data[2] >> 4) & 0xF;
    const int sampleRateIndex = (data[2] >> 2) & 3;
    const int padding = (data[2] >> 1) & 1;
    const int emphasis = data[3] & 3;
    if (versionBits == 1 || layerBits == 0 || bitRateIndex == 0 || bitRateIndex == 15 ||
        sampleRateIndex == 3 || emphasis == 2) {
        return std::nullopt;
    }
    FrameHeader header;
    header.version = versionBits == 3 ? 10 : versionBits == 2 ? 20 : 25;
    header.layer = 4 - layerBits;
    header.mono = ((data[3] >> 6) & 3) == 3;
    const bool mpeg1 = header.version == 10;
    header.bitRateKbps = BitRateOfIndex(header.version, header.layer, bitRateIndex);
    const int bitRate = header.bitRateKbps * 1000;
    header.sampleRate = kSampleRates[sampleRateIndex] / (mpeg1 ? 1 : header.version == 20 ? 2 : 4);
    if (header.layer == 1) {
        header.length = (12 * bitRate / header.sampleRate + padding) * 4;
    } else if (header.layer == 3 && !mpeg1) {
        header.length = 72 * bitRate / header.sampleRate + padding;
    } else {
        header.length = 144 * bitRate / header.sampleRate + padding;
    }
    if (header.length < 4) {
        return std::nullopt;
    }
    return header;
}

std::optional<FrameHeader> ParseFrameHeader(std::uint32_t header) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(header >> 24),
                                   static_cast<std::uint8_t>(header >> 16),
                                   static_cast<std::uint8_t>(header >> 8), static_cast<std::uint8_t>(header)};
    return ParseFrameHeader(bytes, 4);
}

} // namespace trimvox
