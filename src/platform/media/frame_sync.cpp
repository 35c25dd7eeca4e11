#include "platform/media/frame_sync.h"

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

// A run of this many frames of one kind, one after the other, is taken for the real stream.
constexpr int kFramesInARun = 4;

bool SameKind(const FrameHeader& a, const FrameHeader& b) {
    return a.version == b.version && a.layer == b.layer && a.sampleRate == b.sampleRate;
}

} // namespace

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
    const bool mpeg1 = header.version == 10;
    const int bitRate = kBitRates[mpeg1 ? 0 : 1][header.layer - 1][bitRateIndex] * 1000;
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

std::size_t FindAudioStart(const std::uint8_t* data, std::size_t size) {
    if (size >= 3 && data[0] == 'I' && data[1] == 'D' && data[2] == '3') {
        return 0;
    }
    for (std::size_t start = 0; start + 4 <= size; ++start) {
        const auto first = ParseFrameHeader(data + start, size - start);
        if (!first) {
            continue;
        }
        std::size_t at = start + static_cast<std::size_t>(first->length);
        int frames = 1;
        while (frames < kFramesInARun && at + 4 <= size) {
            const auto next = ParseFrameHeader(data + at, size - at);
            if (!next || !SameKind(*first, *next)) {
                break;
            }
            at += static_cast<std::size_t>(next->length);
            ++frames;
        }
        // A run cut short by the end of the data counts when the frames reach exactly to its end.
        if (frames == kFramesInARun || (frames > 1 && at >= size)) {
            return start;
        }
    }
    return 0;
}

} // namespace trimvox
