// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/source_length.h"

#include "mp3/mpg123_handle.h"
#include "split/decode_pass.h"

#include <span>

namespace trimvox {

namespace {

// The length that the LAME tag gives, with the decoder set up as the decoding pass sets it up.
std::optional<SourceLength> LengthFromTag(const std::filesystem::path& file) {
    Mpg123Handle handle = NewMpg123Handle();
    mpg123_handle* h = handle.get();
    if (h == nullptr) {
        return std::nullopt;
    }
    mpg123_param(h, MPG123_ADD_FLAGS, MPG123_GAPLESS, 0.0);
    DecodeToSigned16(h);
    SourceLength length;
    int channels = 0;
    int encoding = 0;
    if (mpg123_open(h, file.c_str()) != MPG123_OK ||
        mpg123_getformat(h, &length.rate, &channels, &encoding) != MPG123_OK || length.rate <= 0) {
        return std::nullopt;
    }
    // The delay is known only from a LAME tag, which sits in an Info/Xing frame with the frame count; a
    // file without one has a length libmpg123 estimates from the first frames.
    long delay = -1;
    double unused = 0;
    if (mpg123_getstate(h, MPG123_ENC_DELAY, &delay, &unused) != MPG123_OK || delay < 0) {
        return std::nullopt;
    }
    const off_t samples = mpg123_length(h);
    if (samples <= 0) {
        return std::nullopt;
    }
    length.totalSamples = static_cast<std::int64_t>(samples);
    mpg123_close(h);
    return length;
}

} // namespace

std::optional<SourceLength> ReadSourceLength(const std::filesystem::path& file,
                                             const std::atomic<bool>& stop) {
    if (std::optional<SourceLength> tagged = LengthFromTag(file)) {
        return tagged;
    }
    const DecodePassResult pass = DecodeToSinks(file, std::span<DecodedBlockSink* const>(), stop);
    if (!pass.decoded || pass.stopped) {
        return std::nullopt;
    }
    return SourceLength{pass.format.rate, pass.totalSamples};
}

} // namespace trimvox
