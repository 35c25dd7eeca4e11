// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/gapless_decode.h"

#include <mpg123.h>

#include <memory>
#include <stdexcept>

namespace trimvox::test {

GaplessDecode DecodeGapless(const std::filesystem::path& path) {
    const std::unique_ptr<mpg123_handle, void (*)(mpg123_handle*)> handle(mpg123_new(nullptr, nullptr),
                                                                          mpg123_delete);
    mpg123_handle* mh = handle.get();
    if (mh == nullptr) {
        throw std::runtime_error("libmpg123 cannot be set up");
    }
    mpg123_param(mh, MPG123_ADD_FLAGS, MPG123_GAPLESS | MPG123_QUIET | MPG123_FORCE_MONO | MPG123_MONO_MIX,
                 0);
    mpg123_format_none(mh);
    for (const long rate : {8000L, 11025L, 12000L, 16000L, 22050L, 24000L, 32000L, 44100L, 48000L}) {
        mpg123_format(mh, rate, MPG123_MONO, MPG123_ENC_SIGNED_16);
    }
    if (mpg123_open(mh, path.c_str()) != MPG123_OK) {
        throw std::runtime_error("libmpg123 cannot open " + path.string());
    }
    GaplessDecode result;
    std::vector<unsigned char> buffer(1 << 16);
    for (;;) {
        std::size_t done = 0;
        const int status = mpg123_read(mh, buffer.data(), buffer.size(), &done);
        const auto* samples = reinterpret_cast<const short*>(buffer.data());
        result.samples.insert(result.samples.end(), samples, samples + done / 2);
        if (status == MPG123_DONE) {
            break;
        }
        if (status == MPG123_ERR) {
            if (++result.errors > 100) {
                break;
            }
        } else if (status != MPG123_OK && status != MPG123_NEW_FORMAT) {
            ++result.errors;
            if (done == 0) {
                break;
            }
        }
    }
    double unused = 0;
    long value = 0;
    if (mpg123_getstate(mh, MPG123_ENC_DELAY, &value, &unused) == MPG123_OK) {
        result.delay = value;
    }
    if (mpg123_getstate(mh, MPG123_ENC_PADDING, &value, &unused) == MPG123_OK) {
        result.padding = value;
    }
    mpg123_close(mh);
    return result;
}

} // namespace trimvox::test
