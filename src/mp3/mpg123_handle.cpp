// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/mpg123_handle.h"

namespace trimvox {

Mpg123Handle NewMpg123Handle() {
    int error = MPG123_OK;
    Mpg123Handle handle(mpg123_new(nullptr, &error));
    if (!handle || error != MPG123_OK) {
        return nullptr;
    }
    mpg123_param(handle.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    return handle;
}

void DecodeToSigned16(mpg123_handle* handle) {
    mpg123_format_none(handle);
    const long* rates = nullptr;
    std::size_t count = 0;
    mpg123_rates(&rates, &count);
    for (std::size_t i = 0; i < count; ++i) {
        mpg123_format(handle, rates[i], MPG123_MONO | MPG123_STEREO, MPG123_ENC_SIGNED_16);
    }
}

} // namespace trimvox
