// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// File names on Linux are bytes, not text. The windows carry a path as UTF-16 text; so that any name that
// exists survives that trip, the bytes that are not valid UTF-8 are carried as the lone surrogates U+DC80 to
// U+DCFF, one for each byte (the same escape Python uses for file names). The escaped text goes back to the
// same bytes; it is for carrying, never for showing: DisplayName gives the text to show.
namespace trimvox {

// The path's bytes as UTF-16 text with the bytes that are not UTF-8 escaped.
std::u16string PathText(std::string_view bytes);

// The bytes that an escaped text names (the inverse of PathText). Text without escapes becomes UTF-8.
std::string PathBytes(std::u16string_view text);

// A name's bytes as UTF-8 text to show: valid UTF-8 as it is; otherwise decoded as GB18030 where the whole
// name decodes so (names from Chinese Windows archives); otherwise UTF-8 with U+FFFD for each byte that is
// not.
std::string DisplayName(std::string_view bytes);

// True when the bytes are valid UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

} // namespace trimvox
