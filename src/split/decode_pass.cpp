// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/decode_pass.h"

#include "mp3/mpg123_handle.h"
#include "mp3/stoppable_source.h"

#include <cstdio>
#include <fstream>

namespace trimvox {

namespace {

void AnnounceFormat(std::span<DecodedBlockSink* const> sinks, const DecodedFormat& format) {
    for (DecodedBlockSink* sink : sinks) {
        sink->onFormat(format);
    }
}

} // namespace

DecodePassResult DecodeToSinks(const std::filesystem::path& file, std::span<DecodedBlockSink* const> sinks,
                               const std::atomic<bool>& stop) {
    DecodePassResult result;
    StoppableSource source(file, stop);
    Mpg123Handle handle = NewMpg123Handle();
    mpg123_handle* h = handle.get();
    if (h == nullptr || !source.isOpen() ||
        mpg123_replace_reader_handle(h, &StoppableSource::Read, &StoppableSource::Seek, nullptr) !=
            MPG123_OK) {
        return result;
    }
    // The gapless timeline: the encoder's delay and padding, which an Info header records, are dropped, so
    // sample k here is sample k of the precise cut and of every gapless player.
    mpg123_param(h, MPG123_ADD_FLAGS, MPG123_GAPLESS, 0.0);
    DecodeToSigned16(h);
    int encoding = 0;
    if (mpg123_open_handle(h, &source) != MPG123_OK ||
        mpg123_getformat(h, &result.format.rate, &result.format.channels, &encoding) != MPG123_OK ||
        result.format.rate <= 0 || result.format.channels <= 0) {
        result.stopped = stop.load();
        return result;
    }
    const off_t expected = mpg123_length(h);
    result.format.expectedSamples = expected > 0 ? static_cast<std::int64_t>(expected) : -1;
    AnnounceFormat(sinks, result.format);

    DecodedFormat current = result.format;
    std::int64_t position = 0;
    while (!stop.load(std::memory_order_relaxed)) {
        off_t frameNumber = 0;
        unsigned char* audio = nullptr;
        std::size_t bytes = 0;
        const int status = mpg123_decode_frame(h, &frameNumber, &audio, &bytes);
        if (status == MPG123_NEW_FORMAT) {
            DecodedFormat changed = current;
            if (mpg123_getformat(h, &changed.rate, &changed.channels, &encoding) == MPG123_OK &&
                changed.channels > 0 &&
                (changed.rate != current.rate || changed.channels != current.channels)) {
                current = changed;
                AnnounceFormat(sinks, current);
            }
            continue;
        }
        if (status != MPG123_OK) {
            break; // the end of the stream, or a fault that the decoder cannot step over
        }
        const std::size_t frames = bytes / sizeof(std::int16_t) / static_cast<std::size_t>(current.channels);
        if (frames == 0) {
            continue;
        }
        const auto* samples = reinterpret_cast<const std::int16_t*>(audio);
        for (DecodedBlockSink* sink : sinks) {
            sink->onBlock(position, samples, frames);
        }
        position += static_cast<std::int64_t>(frames);
    }
    result.totalSamples = position;
    result.stopped = stop.load();
    if (result.stopped) {
        return result;
    }
    result.decoded = position > 0;
    for (DecodedBlockSink* sink : sinks) {
        sink->onEnd(position);
    }
    return result;
}

} // namespace trimvox
