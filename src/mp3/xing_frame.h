// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace trimvox {

// The LAME extension of a source's Xing/Info header: the encoder string ("LAME3.100") and the encoder's
// settings, as they stand in the source.
struct LameExtension {
    std::array<std::uint8_t, 36> bytes{};
    std::uint32_t quality = 0; // the Xing header's quality field
};

// What a source's Xing or Info header frame says.
struct XingHeader {
    std::optional<std::uint32_t> frames; // audio frames after the header frame, when the header counts them
    std::optional<LameExtension> lame;
    int encoderDelay = 0; // from the LAME extension
    int encoderPadding = 0;
};

// Reads a Xing or Info header frame (`frame` starts at its frame header; the tag right after the side
// information, as LAME writes it also after a CRC, or after the CRC); nothing when it is no such frame.
std::optional<XingHeader> ReadXingHeader(const std::uint8_t* frame, std::size_t size);

// Reads the LAME extension of a Xing or Info header frame; nothing when the frame is not such a header
// or carries no encoder string.
std::optional<LameExtension> ReadLameExtension(const std::uint8_t* frame, std::size_t size);

// A LAME extension for a cut of a source that had none: the version string "LAME3.100" (decoders honour
// the delay and padding after such a string), every setting unknown (0).
LameExtension FreshLameExtension();

// Whether FFmpeg reads the delay and padding after this extension's version string ("LAME", "Lavf" or
// "Lavc"); mpg123 reads them after any.
bool HasGaplessVersionString(const LameExtension& lame);

// What a fresh Xing header frame says about the frames that follow it.
struct XingContent {
    std::uint32_t firstHeader = 0; // the header of the first audio frame (layer III); the kind to write
    bool vbr = false;              // "Xing" when the frames differ in bit rate, else "Info"
    std::uint32_t frames = 0;      // audio frames after the header frame
    std::uint32_t audioBytes = 0;  // their bytes
    std::array<std::uint8_t, 100> toc{};
    std::optional<LameExtension> lame; // carried over with the delay and padding below
    int encoderDelay = 0;              // samples before the audio in the first frame
    int encoderPadding = 0;            // samples after it in the last frame
};

// The length of the header frame for frames of this kind: the first frame's own bit rate when that
// frame is large enough to hold the header, else the smallest one that is.
std::int64_t XingFrameLength(std::uint32_t firstHeader, bool withLame);

// A layer III frame of silence that holds a Xing or Info header (frame count, byte count with the
// header frame itself, table of contents, quality) and, with `lame`, its LAME extension with this
// cut's delay and padding (each 0 to 4095), music length (this frame and the audio after it), replay
// gain and music CRC cleared, and the tag's CRC.
std::vector<std::uint8_t> BuildXingFrame(const XingContent& content);

} // namespace trimvox
