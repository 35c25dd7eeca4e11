// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/path_text.h" // IsValidUtf8

#include <optional>
#include <string>
#include <string_view>

namespace trimvox {

// The text of a list file as UTF-8: UTF-8 (a byte-order mark dropped), UTF-16 with a byte-order mark, or
// else GB18030 (which takes in GBK and GB2312), the encoding Chinese Windows programs write. Nothing when
// it is none of these; `badLine` then gets the 1-based line of the first byte that fits no encoding.
std::optional<std::string> TextToUtf8(std::string_view bytes, int* badLine = nullptr);

} // namespace trimvox
