// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/xing_frame.h"

#include "mp3/crc16.h"
#include "mp3/mpeg_frame_header.h"
#include "mp3/xing_layout.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace trimvox {

namespace {

using namespace xing;

bool IsEncoderString(const std::uint8_t* text) {
    for (int i = 0; i < 9; ++i) {
        const bool printable = text[i] >= 0x20 && text[i] < 0x7F;
        const bool letterOrDigit = std::isalnum(text[i]) != 0;
        if ((!printable && (i < 4 || text[i] != 0)) || (i < 4 && !letterOrDigit)) {
            return false;
        }
    }
    return true;
}

// The header of the header frame: the first frame's kind at this bit-rate index, unpadded, without CRC.
std::uint32_t WithBitRate(std::uint32_t header, int index) {
    header &= ~std::uint32_t{0xF000};    // bit-rate index
    header &= ~std::uint32_t{0x0200};    // padding
    header &= ~std::uint32_t{0x0030};    // mode extension
    header |= std::uint32_t{0x00010000}; // no CRC
    return header | (static_cast<std::uint32_t>(index) << 12);
}

std::size_t NeededLength(const FrameHeader& kind, bool withLame) {
    return 4 + static_cast<std::size_t>(SideInfoLength(kind.version, kind.mono)) + kFieldsLength +
           (withLame ? kLameLength : 0);
}

std::uint32_t HeaderFrameHeader(std::uint32_t firstHeader, bool withLame) {
    const auto kind = ParseFrameHeader(firstHeader);
    if (!kind) {
        return 0;
    }
    const std::size_t needed = NeededLength(*kind, withLame);
    const int ownIndex = static_cast<int>((firstHeader >> 12) & 0xF);
    const auto lengthAt = [&](int index) {
        const auto header = ParseFrameHeader(WithBitRate(firstHeader, index));
        return header ? static_cast<std::size_t>(header->length) : 0;
    };
    if (lengthAt(ownIndex) >= needed) {
        return WithBitRate(firstHeader, ownIndex);
    }
    for (int index = 1; index <= 14; ++index) {
        if (lengthAt(index) >= needed) {
            return WithBitRate(firstHeader, index);
        }
    }
    return WithBitRate(firstHeader, 14);
}

} // namespace

std::optional<XingHeader> ReadXingHeader(const std::uint8_t* frame, std::size_t size) {
    const auto kind = ParseFrameHeader(frame, size);
    if (!kind || kind->layer != 3) {
        return std::nullopt;
    }
    const std::size_t sideInfo = static_cast<std::size_t>(SideInfoLength(kind->version, kind->mono));
    const auto isTag = [&](std::size_t at) {
        return at + 8 <= size &&
               (std::memcmp(frame + at, "Xing", 4) == 0 || std::memcmp(frame + at, "Info", 4) == 0);
    };
    // LAME leaves no room for the CRC of a protected header frame; others may.
    std::size_t at = 4 + sideInfo;
    if (!isTag(at)) {
        at += 2;
        if ((frame[1] & 1) != 0 || !isTag(at)) {
            return std::nullopt;
        }
    }
    const std::uint32_t flags = ReadBig32(frame + at + 4);
    at += 8;
    XingHeader header;
    if ((flags & kHasFrames) != 0) {
        if (at + 4 > size) {
            return header;
        }
        header.frames = ReadBig32(frame + at);
        at += 4;
    }
    at += (flags & kHasBytes) != 0 ? 4 : 0;
    at += (flags & kHasToc) != 0 ? 100 : 0;
    LameExtension lame;
    if ((flags & kHasQuality) != 0) {
        if (at + 4 > size) {
            return header;
        }
        lame.quality = ReadBig32(frame + at);
        at += 4;
    }
    if (at + kLameLength > size || !IsEncoderString(frame + at)) {
        return header;
    }
    std::copy_n(frame + at, kLameLength, lame.bytes.begin());
    const std::uint8_t* fields = frame + at + kLameDelayPadding;
    header.encoderDelay = (fields[0] << 4) | (fields[1] >> 4);
    header.encoderPadding = ((fields[1] & 0x0F) << 8) | fields[2];
    header.lame = lame;
    return header;
}

std::optional<LameExtension> ReadLameExtension(const std::uint8_t* frame, std::size_t size) {
    const auto header = ReadXingHeader(frame, size);
    return header ? header->lame : std::nullopt;
}

LameExtension FreshLameExtension() {
    LameExtension lame;
    const char version[] = "LAME3.100";
    std::copy_n(version, 9, lame.bytes.begin());
    return lame;
}

bool HasGaplessVersionString(const LameExtension& lame) {
    for (const char* prefix : {"LAME", "Lavf", "Lavc"}) {
        if (std::memcmp(lame.bytes.data(), prefix, 4) == 0) {
            return true;
        }
    }
    return false;
}

std::int64_t XingFrameLength(std::uint32_t firstHeader, bool withLame) {
    const auto header = ParseFrameHeader(HeaderFrameHeader(firstHeader, withLame));
    return header ? header->length : 0;
}

std::vector<std::uint8_t> BuildXingFrame(const XingContent& content) {
    const bool withLame = content.lame.has_value();
    const std::uint32_t header = HeaderFrameHeader(content.firstHeader, withLame);
    const auto kind = ParseFrameHeader(header);
    if (!kind) {
        return {};
    }
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(kind->length), 0);
    WriteBig32(frame.data(), header);
    std::uint8_t* at = frame.data() + 4 + SideInfoLength(kind->version, kind->mono);
    std::memcpy(at, content.vbr ? "Xing" : "Info", 4);
    const std::uint32_t totalBytes = static_cast<std::uint32_t>(frame.size()) + content.audioBytes;
    WriteBig32(at + 4, kHasFrames | kHasBytes | kHasToc | kHasQuality);
    WriteBig32(at + 8, content.frames);
    WriteBig32(at + 12, totalBytes);
    std::copy(content.toc.begin(), content.toc.end(), at + 16);
    WriteBig32(at + 116, withLame ? content.lame->quality : 0);
    if (withLame) {
        std::uint8_t* lame = at + kFieldsLength;
        std::copy(content.lame->bytes.begin(), content.lame->bytes.end(), lame);
        std::fill_n(lame + kLameReplayGain, 8, std::uint8_t{0});
        const int delay = std::clamp(content.encoderDelay, 0, 4095);
        const int padding = std::clamp(content.encoderPadding, 0, 4095);
        lame[kLameDelayPadding] = static_cast<std::uint8_t>(delay >> 4);
        lame[kLameDelayPadding + 1] = static_cast<std::uint8_t>(((delay & 0xF) << 4) | (padding >> 8));
        lame[kLameDelayPadding + 2] = static_cast<std::uint8_t>(padding & 0xFF);
        WriteBig32(lame + kLameMusicLength, totalBytes);
        lame[kLameMusicCrc] = 0;
        lame[kLameMusicCrc + 1] = 0;
        const auto crcEnd = static_cast<std::size_t>(lame + kLameTagCrc - frame.data());
        const std::uint16_t crc = LameTagCrc(frame.data(), crcEnd);
        lame[kLameTagCrc] = static_cast<std::uint8_t>(crc >> 8);
        lame[kLameTagCrc + 1] = static_cast<std::uint8_t>(crc & 0xFF);
    }
    return frame;
}

} // namespace trimvox
