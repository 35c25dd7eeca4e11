// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/piece_names.h"

#include "split/text_encoding.h"

#include <algorithm>
#include <array>
#include <set>

namespace trimvox {

namespace {

// The length of the UTF-8 character that starts at `i`, or 0 where no well-formed one starts.
std::size_t CharacterLength(std::string_view text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80                 ? 1
                               : c >= 0xC2 && c <= 0xDF ? 2
                               : c >= 0xE0 && c <= 0xEF ? 3
                               : c >= 0xF0 && c <= 0xF4 ? 4
                                                        : 0;
    if (length == 0 || i + length > text.size() || !IsValidUtf8(text.substr(i, length))) {
        return 0;
    }
    return length;
}

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

bool IsWindowsDevice(std::string_view name) {
    std::string base = AsciiLower(name.substr(0, std::min(name.find('.'), name.size())));
    while (!base.empty() && base.back() == ' ') {
        base.pop_back();
    }
    static const std::array<std::string_view, 4> plain{"con", "prn", "aux", "nul"};
    if (std::find(plain.begin(), plain.end(), base) != plain.end()) {
        return true;
    }
    return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) && base[3] >= '1' &&
           base[3] <= '9';
}

std::string Number(std::size_t n, std::size_t width) {
    std::string digits = std::to_string(n);
    return std::string(digits.size() < width ? width - digits.size() : 0, '0') + digits;
}

std::string Fill(std::string_view nameTemplate, std::size_t n, std::size_t width, std::string_view title,
                 std::string_view stem) {
    std::string name;
    for (std::size_t i = 0; i < nameTemplate.size(); ++i) {
        const std::string_view rest = nameTemplate.substr(i);
        if (rest.starts_with("{nn}")) {
            name += Number(n, width);
            i += 3;
        } else if (rest.starts_with("{n}")) {
            name += std::to_string(n);
            i += 2;
        } else if (rest.starts_with("{title}")) {
            name += title;
            i += 6;
        } else if (rest.starts_with("{stem}")) {
            name += stem;
            i += 5;
        } else {
            name += nameTemplate[i];
        }
    }
    return name;
}

} // namespace

std::string DefaultNameTemplate(const SegmentList& list) {
    const bool titled = !list.empty() && std::all_of(list.segments().begin(), list.segments().end(),
                                                     [](const Segment& s) { return !s.title.empty(); });
    return titled ? "{nn} {title}" : "{stem} {nn}";
}

std::optional<std::string> TemplateProblem(std::string_view nameTemplate) {
    for (std::size_t i = 0; i < nameTemplate.size(); ++i) {
        if (nameTemplate[i] == '}') {
            return "a \"}\" without its \"{\"";
        }
        if (nameTemplate[i] != '{') {
            continue;
        }
        const std::size_t close = nameTemplate.find('}', i);
        if (close == std::string_view::npos) {
            return "a \"{\" without its \"}\"";
        }
        const std::string_view name = nameTemplate.substr(i, close - i + 1);
        if (name != "{n}" && name != "{nn}" && name != "{title}" && name != "{stem}") {
            return "unknown placeholder " + std::string(name) + " (known: {n}, {nn}, {title}, {stem})";
        }
        i = close;
    }
    return std::nullopt;
}

std::string SafeFileName(std::string_view name, std::size_t maxBytes) {
    std::string safe;
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t length = CharacterLength(name, i);
        if (length == 0) {
            if (safe.size() + 1 > maxBytes) {
                break;
            }
            safe += '_';
            ++i;
            continue;
        }
        const auto c = static_cast<unsigned char>(name[i]);
        const bool forbidden = length == 1 && (c < 0x20 || c == 0x7F ||
                                               std::string_view("/\\:*?\"<>|").find(static_cast<char>(c)) !=
                                                   std::string_view::npos);
        const std::string_view piece = forbidden ? std::string_view("_") : name.substr(i, length);
        if (safe.size() + piece.size() > maxBytes) {
            break;
        }
        safe.append(piece);
        i += length;
    }
    const auto trimEnd = [&safe] {
        while (!safe.empty() && (safe.back() == ' ' || safe.back() == '.')) {
            safe.pop_back();
        }
    };
    trimEnd();
    const std::size_t lead = safe.find_first_not_of(' ');
    safe.erase(0, lead == std::string::npos ? safe.size() : lead);
    if (!safe.empty() && safe.front() == '.') {
        safe.front() = '_';
    }
    if (IsWindowsDevice(safe)) {
        safe.insert(safe.begin(), '_');
        if (safe.size() > maxBytes) {
            safe.resize(maxBytes); // a device name is ASCII up to its first dot: no character is split
            trimEnd();
        }
    }
    return safe;
}

std::vector<std::string> PieceFileNames(const SegmentList& list, std::string_view nameTemplate,
                                        std::string_view stem) {
    const std::size_t width = std::max<std::size_t>(2, std::to_string(list.size()).size());
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (std::size_t k = 0; k < list.size(); ++k) {
        std::string name = SafeFileName(Fill(nameTemplate, k + 1, width, list[k].title, stem));
        if (name.empty()) {
            name = SafeFileName(Fill("{stem} {nn}", k + 1, width, {}, stem));
        }
        if (name.empty()) {
            name = Number(k + 1, width);
        }
        std::string candidate = name + ".mp3";
        for (int copy = 2; taken.count(AsciiLower(candidate)) > 0; ++copy) {
            candidate = name + " (" + std::to_string(copy) + ").mp3";
        }
        taken.insert(AsciiLower(candidate));
        names.push_back(std::move(candidate));
    }
    return names;
}

} // namespace trimvox
