// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/path_text.h"

#include <cerrno>
#include <iconv.h>

namespace trimvox {

namespace {

constexpr char16_t kEscapeBase = 0xDC00;

// The length of the valid UTF-8 sequence at `at` and its code point, or 0 when the bytes there are not one.
std::size_t Utf8Sequence(std::string_view bytes, std::size_t at, char32_t& code) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    char32_t min = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (at + length > bytes.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < min || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
        return 0;
    }
    return length;
}

void AppendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The whole of `bytes` decoded from GB18030 to UTF-8, or nothing when any part of it is not GB18030.
bool DecodeGb18030(std::string_view bytes, std::string& out) {
    iconv_t convert = iconv_open("UTF-8", "GB18030");
    if (convert == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    std::string input(bytes);
    out.assign(input.size() * 4 + 4, '\0');
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* to = out.data();
    std::size_t outLeft = out.size();
    const std::size_t done = iconv(convert, &in, &inLeft, &to, &outLeft);
    iconv_close(convert);
    if (done == static_cast<std::size_t>(-1) || inLeft != 0) {
        return false;
    }
    out.resize(out.size() - outLeft);
    return IsValidUtf8(out);
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    char32_t code = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8Sequence(bytes, at, code);
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

std::u16string PathText(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    char32_t code = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8Sequence(bytes, at, code);
        if (length == 0) {
            text += static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[at]));
            ++at;
            continue;
        }
        if (code >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(code);
        }
        at += length;
    }
    return text;
}

std::string PathBytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const char16_t unit = text[at];
        if (unit >= 0xD800 && unit <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 &&
            text[at + 1] <= 0xDFFF) {
            AppendUtf8(bytes,
                       0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[at + 1] - 0xDC00));
            ++at;
        } else if (unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF) {
            bytes += static_cast<char>(unit - kEscapeBase); // an escaped byte
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(bytes, 0xFFFD); // a lone surrogate that is no escape of ours
        } else {
            AppendUtf8(bytes, unit);
        }
    }
    return bytes;
}

std::string DisplayName(std::string_view bytes) {
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    std::string decoded;
    if (DecodeGb18030(bytes, decoded)) {
        return decoded;
    }
    std::string shown;
    char32_t code = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        const std::size_t length = Utf8Sequence(bytes, at, code);
        if (length == 0) {
            AppendUtf8(shown, 0xFFFD);
            ++at;
        } else {
            shown.append(bytes.substr(at, length));
            at += length;
        }
    }
    return shown;
}

} // namespace trimvox
