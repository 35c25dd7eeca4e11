// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <vector>

namespace trimvox {

namespace {

struct IconvResult {
    std::optional<std::string> text;
    std::size_t failedAt = 0; // the input offset where the conversion stopped
};

// Converts with glibc's iconv.
IconvResult Convert(std::string_view bytes, const char* from) {
    IconvResult result;
    const iconv_t cd = iconv_open("UTF-8", from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return result;
    }
    std::string out;
    std::vector<char> chunk(4096);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    bool ok = true;
    while (inLeft > 0) {
        char* to = chunk.data();
        std::size_t toLeft = chunk.size();
        const std::size_t done = iconv(cd, &in, &inLeft, &to, &toLeft);
        out.append(chunk.data(), chunk.size() - toLeft);
        if (done == static_cast<std::size_t>(-1) && errno != E2BIG) {
            ok = false; // EILSEQ: a byte sequence of no character; EINVAL: one cut off at the end
            break;
        }
    }
    if (ok) {
        char* to = chunk.data();
        std::size_t toLeft = chunk.size();
        iconv(cd, nullptr, nullptr, &to, &toLeft);
        out.append(chunk.data(), chunk.size() - toLeft);
        result.text = std::move(out);
    }
    result.failedAt = bytes.size() - inLeft;
    iconv_close(cd);
    return result;
}

} // namespace

std::optional<std::string> TextToUtf8(std::string_view bytes, int* badLine) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        bytes.remove_prefix(3);
    } else if (bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF")) {
        IconvResult utf16 = Convert(bytes, "UTF-16");
        if (utf16.text) {
            return utf16.text;
        }
        if (badLine != nullptr) {
            *badLine = 1; // line breaks are two bytes wide there: say where it starts
        }
        return std::nullopt;
    }
    if (IsValidUtf8(bytes)) {
        return std::string(bytes);
    }
    IconvResult gb = Convert(bytes, "GB18030");
    if (gb.text && IsValidUtf8(*gb.text)) {
        return gb.text;
    }
    if (badLine != nullptr) {
        const std::size_t at = std::min(gb.failedAt, bytes.size());
        *badLine = 1 + static_cast<int>(
                           std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(at), '\n'));
    }
    return std::nullopt;
}

} // namespace trimvox
