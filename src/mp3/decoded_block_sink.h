// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>

namespace trimvox {

// What the decoder delivers: the sample rate, the channel count and, when the file says it (an Info/Xing
// header or a length libmpg123 can work out), the number of samples per channel it will deliver in all
// (-1 when not known).
struct DecodedFormat {
    long rate = 0;
    int channels = 0;
    std::int64_t expectedSamples = -1;
};

// Receives the audio of one decoding pass, block after block in playing order, so that several consumers
// (the waveform's peaks, the silence detector) share one pass over the file. A block is only valid during
// the call; a consumer keeps what it needs of it, never the block itself.
class DecodedBlockSink {
public:
    virtual ~DecodedBlockSink() = default;
    // Before the first block, and again should the stream change its format.
    virtual void onFormat(const DecodedFormat& format) = 0;
    // `frames` samples per channel, interleaved signed 16-bit; `position` is the index of the block's first
    // sample on the gapless timeline (the encoder's delay and padding removed), counted per channel.
    virtual void onBlock(std::int64_t position, const std::int16_t* samples, std::size_t frames) = 0;
    // After the last block, with the number of samples per channel delivered in all.
    virtual void onEnd(std::int64_t totalSamples) = 0;
};

} // namespace trimvox
