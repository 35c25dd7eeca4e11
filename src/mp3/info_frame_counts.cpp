// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/info_frame_counts.h"

#include "mp3/crc16.h"
#include "mp3/mpeg_frame_header.h"
#include "mp3/xing_layout.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace trimvox {

namespace {

using namespace xing;

// A VBRI header stands 32 bytes after the frame header: tag, version, delay, quality, bytes, frames,
// entries of its table, then their scale, size and frames per entry.
constexpr std::size_t kVbriAt = 4 + 32;
constexpr std::size_t kVbriBytes = kVbriAt + 10;
constexpr std::size_t kVbriFrames = kVbriAt + 14;
constexpr std::size_t kVbriEntries = kVbriAt + 18;

enum class Kind { None, Xing, Vbri };

// The kind of header frame, and for Xing/Info the offset of its tag.
Kind KindOf(const std::uint8_t* frame, std::size_t size, std::size_t& tagAt) {
    const auto header = ParseFrameHeader(frame, size);
    if (!header || header->layer != 3 || static_cast<std::size_t>(header->length) > size) {
        return Kind::None;
    }
    const auto isTag = [&](std::size_t at, const char* tag, std::size_t fields) {
        return at + fields <= size && std::memcmp(frame + at, tag, 4) == 0;
    };
    const auto sideInfo = static_cast<std::size_t>(SideInfoLength(header->version, header->mono));
    for (const std::size_t at : {4 + sideInfo, 6 + sideInfo}) { // without and with a CRC
        if (isTag(at, "Xing", 8) || isTag(at, "Info", 8)) {
            tagAt = at;
            return Kind::Xing;
        }
    }
    return isTag(kVbriAt, "VBRI", kVbriEntries + 2 - kVbriAt) ? Kind::Vbri : Kind::None;
}

} // namespace

std::optional<std::uint32_t> InfoFrameFrameCount(const std::uint8_t* frame, std::size_t size) {
    std::size_t at = 0;
    switch (KindOf(frame, size, at)) {
    case Kind::Xing:
        if ((ReadBig32(frame + at + 4) & kHasFrames) != 0 && at + 12 <= size) {
            return ReadBig32(frame + at + 8);
        }
        return std::nullopt;
    case Kind::Vbri:
        return ReadBig32(frame + kVbriFrames);
    case Kind::None:
        break;
    }
    return std::nullopt;
}

bool CorrectInfoFrame(std::uint8_t* frame, std::size_t size, const InfoFrameCounts& counts) {
    std::size_t at = 0;
    const Kind kind = KindOf(frame, size, at);
    if (kind == Kind::Vbri) {
        WriteBig32(frame + kVbriBytes, counts.totalBytes);
        WriteBig32(frame + kVbriFrames, counts.frames);
        frame[kVbriEntries] = 0; // a table of the source's positions would send a seek astray: none
        frame[kVbriEntries + 1] = 0;
        return true;
    }
    if (kind != Kind::Xing) {
        return false;
    }
    const std::uint32_t flags = ReadBig32(frame + at + 4);
    std::size_t field = at + 8;
    const auto next = [&](std::uint32_t flag, std::size_t length) -> std::uint8_t* {
        if ((flags & flag) == 0) {
            return nullptr;
        }
        std::uint8_t* here = field + length <= size ? frame + field : nullptr;
        field += length;
        return here;
    };
    if (std::uint8_t* frames = next(kHasFrames, 4)) {
        WriteBig32(frames, counts.frames);
    }
    if (std::uint8_t* bytes = next(kHasBytes, 4)) {
        WriteBig32(bytes, counts.totalBytes);
    }
    if (std::uint8_t* toc = next(kHasToc, 100)) {
        std::copy(counts.toc.begin(), counts.toc.end(), toc);
    }
    next(kHasQuality, 4);
    // A LAME extension, where one follows: its length and end, guarded by its CRC over the frame before it.
    std::uint8_t* lame = field + kLameLength <= size ? frame + field : nullptr;
    const bool hasLame =
        lame != nullptr && std::all_of(lame, lame + 4, [](std::uint8_t c) { return std::isalnum(c) != 0; });
    if (hasLame) {
        if (!counts.keepsEncoderEnd) {
            lame[kLameDelayPadding + 1] &= 0xF0;
            lame[kLameDelayPadding + 2] = 0;
        }
        WriteBig32(lame + kLameMusicLength, counts.totalBytes);
        const std::uint16_t crc = LameTagCrc(frame, static_cast<std::size_t>(lame + kLameTagCrc - frame));
        lame[kLameTagCrc] = static_cast<std::uint8_t>(crc >> 8);
        lame[kLameTagCrc + 1] = static_cast<std::uint8_t>(crc & 0xFF);
    }
    return true;
}

} // namespace trimvox
