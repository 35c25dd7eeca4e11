// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/walked_duration.h"

#include "mp3/info_frame_counts.h"
#include "mp3/mpeg_frame_reader.h"

#include <vector>

namespace trimvox {

bool HeaderCountsFrames(int fd, std::int64_t size) {
    const auto reader = MpegFrameReader::OverFile(fd, size, MpegFrameReader::InfoFrame::Keep);
    const std::optional<MpegFrame> first = reader ? reader->Next() : std::nullopt;
    if (!first) {
        return false;
    }
    std::vector<std::uint8_t> frame{
        static_cast<std::uint8_t>(first->header >> 24), static_cast<std::uint8_t>(first->header >> 16),
        static_cast<std::uint8_t>(first->header >> 8), static_cast<std::uint8_t>(first->header)};
    frame.insert(frame.end(), reader->body(), reader->body() + reader->bodySize());
    return InfoFrameFrameCount(frame.data(), frame.size()).has_value();
}

std::optional<double> WalkedDuration(int fd, std::int64_t size, const std::atomic<bool>* cancel) {
    const auto reader = MpegFrameReader::OverFile(fd, size, MpegFrameReader::InfoFrame::Skip);
    if (!reader) {
        return std::nullopt;
    }
    std::int64_t frames = 0;
    while (reader->Next()) {
        ++frames;
        if (cancel != nullptr && (frames & 1023) == 0 && cancel->load(std::memory_order_relaxed)) {
            return std::nullopt;
        }
    }
    const MpegStreamFormat& format = reader->format();
    if (frames == 0 || format.sampleRate <= 0) {
        return std::nullopt;
    }
    const std::int64_t samples =
        frames * format.samplesPerFrame - format.encoderDelay - format.encoderPadding;
    return samples > 0 ? std::optional<double>(static_cast<double>(samples) / format.sampleRate)
                       : std::nullopt;
}

} // namespace trimvox
