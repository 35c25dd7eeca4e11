// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/waveform_peaks.h"

#include "mp3/mpg123_handle.h"
#include "mp3/stoppable_source.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace trimvox {

namespace {

constexpr long kPreframes = 8;

struct Decoder {
    std::unique_ptr<StoppableSource> source; // outlives the handle, which reads from it
    Mpg123Handle handle;
    long rate = 0;
    int channels = 0;
};

// A decoder to 16-bit samples at the file's own rate and channel count. Its seeks are exact: they read the
// frames up to the goal (a guess from the file's size or its seek table can land far off).
std::optional<Decoder> OpenDecoder(const std::filesystem::path& file, const std::atomic<bool>& stop) {
    Decoder decoder;
    decoder.source = std::make_unique<StoppableSource>(file, stop);
    decoder.handle = NewMpg123Handle();
    mpg123_handle* h = decoder.handle.get();
    if (h == nullptr || !decoder.source->isOpen() ||
        mpg123_replace_reader_handle(h, &StoppableSource::Read, &StoppableSource::Seek, nullptr) !=
            MPG123_OK) {
        return std::nullopt;
    }
    // After a seek, enough frames before the goal are decoded to fill the bit reservoir and the filters, so
    // the first frames of a part come out as they would in one run (too few give a loud click at the seam).
    mpg123_param(h, MPG123_PREFRAMES, kPreframes, 0.0);
    DecodeToSigned16(h);
    int encoding = 0;
    if (mpg123_open_handle(h, decoder.source.get()) != MPG123_OK ||
        mpg123_getformat(h, &decoder.rate, &decoder.channels, &encoding) != MPG123_OK || decoder.rate <= 0 ||
        decoder.channels <= 0) {
        return std::nullopt;
    }
    return decoder;
}

// The sample index where each column begins: column c begins at c / columns of the total.
class ColumnGrid {
public:
    ColumnGrid(double totalSamples, int columns) : total_(totalSamples), columns_(columns) {}
    std::int64_t begin(int column) const {
        return static_cast<std::int64_t>(std::llround(total_ * column / columns_));
    }

private:
    double total_;
    int columns_;
};

// Serialises the workers' reports.
class SharedSink {
public:
    explicit SharedSink(const PeakSink& sink) : sink_(sink) {}
    void report(int column, PeakPair peak) {
        const std::lock_guard<std::mutex> lock(mutex_);
        sink_(column, peak);
    }

private:
    const PeakSink& sink_;
    std::mutex mutex_;
};

// The columns [first, last) of one worker. The last worker also takes every sample beyond the grid.
struct Stretch {
    int first = 0;
    int last = 0;
    bool lastStretch = false;
};

// Widens [low, high] to take in the samples [from, to). A plain loop that the compiler turns into vector
// instructions (this file is built with them): a column holds hundreds of thousands of samples, and
// std::minmax_element, which it cannot vectorise, took about a tenth of the whole decoding time.
void WidenRange(const std::int16_t* from, const std::int16_t* to, std::int16_t& low, std::int16_t& high) {
    std::int16_t lo = low;
    std::int16_t hi = high;
    for (const std::int16_t* sample = from; sample != to; ++sample) {
        lo = std::min(lo, *sample);
        hi = std::max(hi, *sample);
    }
    low = lo;
    high = hi;
}

// Decodes one part with its own decoder and reports its columns; true when some audio was decoded.
bool DecodeStretch(std::optional<Decoder> decoder, const Stretch& part, double duration, int columns,
                   const std::atomic<bool>& stop, SharedSink& sink) {
    if (!decoder) {
        return false;
    }
    mpg123_handle* h = decoder->handle.get();
    double seconds = duration;
    if (seconds <= 0.0) {
        const off_t length = mpg123_length(h);
        if (length <= 0) {
            return false;
        }
        seconds = static_cast<double>(length) / decoder->rate;
    }
    const ColumnGrid grid(seconds * decoder->rate, columns);
    const std::int64_t start = grid.begin(part.first);
    const std::int64_t end =
        part.lastStretch ? std::numeric_limits<std::int64_t>::max() : grid.begin(part.last);
    if (start > 0 && mpg123_seek(h, static_cast<off_t>(start), SEEK_SET) < 0) {
        return false;
    }
    std::int64_t position = std::max<std::int64_t>(mpg123_tell(h), 0); // index of the next sample

    int column = part.first;
    std::int64_t columnEnd = part.lastStretch && column + 1 >= columns ? end : grid.begin(column + 1);
    std::int16_t low = std::numeric_limits<std::int16_t>::max();
    std::int16_t high = std::numeric_limits<std::int16_t>::min();
    bool filled = false;
    bool decoded = false;
    const auto flush = [&] {
        if (filled) {
            sink.report(column, PeakPair{low / 32768.0f, high / 32768.0f});
        }
        low = std::numeric_limits<std::int16_t>::max();
        high = std::numeric_limits<std::int16_t>::min();
        filled = false;
    };

    while (!stop.load(std::memory_order_relaxed) && position < end) {
        off_t frame = 0;
        unsigned char* audio = nullptr;
        std::size_t bytes = 0;
        const int result = mpg123_decode_frame(h, &frame, &audio, &bytes);
        if (result == MPG123_NEW_FORMAT) {
            int encoding = 0;
            mpg123_getformat(h, &decoder->rate, &decoder->channels, &encoding);
            continue;
        }
        if (result != MPG123_OK) {
            break; // the end of the stream, or a fault that the decoder cannot step over
        }
        const int channels = decoder->channels;
        const auto* samples = reinterpret_cast<const std::int16_t*>(audio);
        const std::int64_t count = static_cast<std::int64_t>(bytes / sizeof(std::int16_t)) / channels;
        decoded = decoded || count > 0;
        std::int64_t i = std::max<std::int64_t>(start - position, 0);
        while (i < count && position + i < end) {
            while (position + i >= columnEnd) {
                flush();
                ++column;
                columnEnd = part.lastStretch && column + 1 >= columns ? end : grid.begin(column + 1);
            }
            const std::int64_t stretch = std::min({count, columnEnd - position, end - position});
            WidenRange(samples + i * channels, samples + stretch * channels, low, high);
            filled = true;
            i = stretch;
        }
        position += count;
    }
    if (stop.load()) {
        return false;
    }
    flush();
    return decoded;
}

} // namespace

bool ComputePeaks(const PeakRequest& request, const std::atomic<bool>& stop, const PeakSink& sink) {
    if (request.columns <= 0) {
        return false;
    }
    std::optional<Decoder> first = OpenDecoder(request.file, stop);
    if (!first) {
        return false;
    }
    SharedSink shared(sink);
    const int workers = std::clamp(request.workers, 1, request.columns);
    std::vector<Stretch> parts;
    for (int k = 0; k < workers; ++k) {
        parts.push_back(
            Stretch{request.columns * k / workers, request.columns * (k + 1) / workers, k + 1 == workers});
    }
    std::vector<char> results(parts.size(), 0);
    std::vector<std::thread> threads;
    for (std::size_t k = 1; k < parts.size(); ++k) {
        threads.emplace_back([&, k] {
            if (request.onThreadStart) {
                request.onThreadStart();
            }
            results[k] = DecodeStretch(OpenDecoder(request.file, stop), parts[k], request.duration,
                                       request.columns, stop, shared);
        });
    }
    // Only after starting the others, which would otherwise take over what it sets (a nice value does).
    if (request.onThreadStart) {
        request.onThreadStart();
    }
    results[0] = DecodeStretch(std::move(first), parts[0], request.duration, request.columns, stop, shared);
    for (std::thread& thread : threads) {
        thread.join();
    }
    return !stop.load() && std::any_of(results.begin(), results.end(), [](char ok) { return ok != 0; });
}

} // namespace trimvox
