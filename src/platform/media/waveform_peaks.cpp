#include "platform/media/waveform_peaks.h"

#include "platform/media/mpg123_handle.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace trimvox {

namespace {

struct Decoder {
    Mpg123Handle handle;
    long rate = 0;
    int channels = 0;
};

// A decoder to 16-bit samples at the file's own rate and channel count. `fuzzy` lets a seek guess the byte
// offset from the file's size (or its seek table) instead of reading every frame up to the goal.
std::optional<Decoder> OpenDecoder(const std::filesystem::path& file, bool fuzzy) {
    Decoder decoder;
    decoder.handle = NewMpg123Handle();
    mpg123_handle* h = decoder.handle.get();
    if (h == nullptr) {
        return std::nullopt;
    }
    if (fuzzy) {
        mpg123_param(h, MPG123_ADD_FLAGS, MPG123_FUZZY, 0.0);
    }
    mpg123_format_none(h);
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i) {
        mpg123_format(h, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    }
    int encoding = 0;
    if (mpg123_open(h, file.c_str()) != MPG123_OK ||
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
struct Part {
    int first = 0;
    int last = 0;
    bool lastPart = false;
};

// Whether every frame has the same size, so that a seek can reckon a frame's offset from the file's size
// exactly (a seek table or an average would land a few columns off).
bool IsConstantBitRate(Decoder& decoder) {
    mpg123_frameinfo info{};
    return mpg123_info(decoder.handle.get(), &info) == MPG123_OK && info.vbr == MPG123_CBR;
}

// Decodes one part with its own decoder and reports its columns; true when some audio was decoded.
bool DecodePart(std::optional<Decoder> decoder, const Part& part, double duration, int columns,
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
    const std::int64_t end = part.lastPart ? std::numeric_limits<std::int64_t>::max() : grid.begin(part.last);
    if (start > 0 && mpg123_seek(h, static_cast<off_t>(start), SEEK_SET) < 0) {
        return false;
    }
    std::int64_t position = std::max<std::int64_t>(mpg123_tell(h), 0); // index of the next sample

    int column = part.first;
    std::int64_t columnEnd = part.lastPart && column + 1 >= columns ? end : grid.begin(column + 1);
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
                columnEnd = part.lastPart && column + 1 >= columns ? end : grid.begin(column + 1);
            }
            const std::int64_t stretch = std::min({count, columnEnd - position, end - position});
            const auto [lo, hi] = std::minmax_element(samples + i * channels, samples + stretch * channels);
            low = std::min(low, *lo);
            high = std::max(high, *hi);
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
    if (request.onThreadStart) {
        request.onThreadStart();
    }
    std::optional<Decoder> first = OpenDecoder(request.file, false);
    if (!first) {
        return false;
    }
    SharedSink shared(sink);
    const int workers = IsConstantBitRate(*first) ? std::clamp(request.workers, 1, request.columns) : 1;
    std::vector<Part> parts;
    for (int k = 0; k < workers; ++k) {
        parts.push_back(
            Part{request.columns * k / workers, request.columns * (k + 1) / workers, k + 1 == workers});
    }
    std::vector<char> results(parts.size(), 0);
    std::vector<std::thread> threads;
    for (std::size_t k = 1; k < parts.size(); ++k) {
        threads.emplace_back([&, k] {
            if (request.onThreadStart) {
                request.onThreadStart();
            }
            results[k] = DecodePart(OpenDecoder(request.file, true), parts[k], request.duration,
                                    request.columns, stop, shared);
        });
    }
    results[0] = DecodePart(std::move(first), parts[0], request.duration, request.columns, stop, shared);
    for (std::thread& thread : threads) {
        thread.join();
    }
    return !stop.load() && std::any_of(results.begin(), results.end(), [](char ok) { return ok != 0; });
}

} // namespace trimvox
