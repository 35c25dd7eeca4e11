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

} // namespace trimvox
