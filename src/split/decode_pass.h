// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mp3/decoded_block_sink.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <span>

namespace trimvox {

struct DecodePassResult {
    bool decoded = false; // some audio came out, and the pass ran to the end of the stream
    bool stopped = false;
    DecodedFormat format;          // as announced before the first block
    std::int64_t totalSamples = 0; // samples per channel delivered
};

// Decodes an MP3 file once with libmpg123 to signed 16-bit samples at its own rate and channel count, on
// the gapless timeline, and hands every block to every sink in turn (each sink sees the same blocks in
// the same order; onEnd comes only after a pass that was not stopped). Memory: one decoded frame at a time,
// whatever the file's length. Returns within one frame, or one read of the file, after `stop` turns true.
DecodePassResult DecodeToSinks(const std::filesystem::path& file, std::span<DecodedBlockSink* const> sinks,
                               const std::atomic<bool>& stop);

} // namespace trimvox
