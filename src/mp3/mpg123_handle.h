// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <mpg123.h>

#include <memory>

namespace trimvox {

struct Mpg123Deleter {
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
};

// One libmpg123 reader or decoder, deleted with its owner.
using Mpg123Handle = std::unique_ptr<mpg123_handle, Mpg123Deleter>;

// A new libmpg123 handle that prints nothing on standard error (the program reports failures itself);
// null when the library cannot make one.
Mpg123Handle NewMpg123Handle();

// Makes the decoder give 16-bit signed samples at the file's own rate and channel count, whatever they are.
void DecodeToSigned16(mpg123_handle* handle);

} // namespace trimvox
