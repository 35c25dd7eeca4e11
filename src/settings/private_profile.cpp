// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/private_profile.h"

#include "platform/fs/byte_file.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace trimvox {

namespace {

constexpr std::size_t kMaxFileBytes = 1 << 20; // a settings file larger than this is not ours

std::string Trim(const std::string& text) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && isSpace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

bool SameName(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) {
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        return lower(x) == lower(y);
    });
}

struct Line {
    std::string text; // without its line break
};

std::optional<std::vector<Line>> ReadLines(const std::filesystem::path& file, std::string& lineBreak) {
    // Opened without blocking, and only as a regular file: a FIFO or a device in its place is not read.
    const auto bytes = ReadWholeFile(file, kMaxFileBytes);
    if (!bytes) {
        return std::nullopt;
    }
    std::vector<Line> lines;
    std::string current;
    lineBreak = "\n";
    for (std::size_t i = 0; i < bytes->size(); ++i) {
        const char c = static_cast<char>((*bytes)[i]);
        if (c == '\n') {
            if (!current.empty() && current.back() == '\r') {
                current.pop_back();
                lineBreak = "\r\n";
            }
            lines.push_back({current});
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) {
        lines.push_back({current});
    }
    return lines;
}

// "[name]" gives name; other lines give nothing.
std::optional<std::string> SectionName(const std::string& line) {
    const std::string trimmed = Trim(line);
    if (trimmed.size() < 2 || trimmed.front() != '[') {
        return std::nullopt;
    }
    const auto close = trimmed.find(']');
    if (close == std::string::npos) {
        return std::nullopt;
    }
    return Trim(trimmed.substr(1, close - 1));
}

struct KeyValue {
    std::string key;
    std::string value;
};

std::optional<KeyValue> SplitKeyValue(const std::string& line) {
    const auto equals = line.find('=');
    if (equals == std::string::npos) {
        return std::nullopt;
    }
    return KeyValue{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))};
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Cuts UTF-8 text to at most `capacity` characters without splitting a character.
std::string CutToCharacters(const std::string& text, std::size_t capacity) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) != 0x80) {
            if (characters == capacity) {
                return text.substr(0, i);
            }
            ++characters;
        }
    }
    return text;
}

// Index range [begin, end) of the section's body lines, or nothing when the section is absent.
struct SectionSpan {
    std::size_t header;
    std::size_t end;
};

std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, const std::string& section) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const auto name = SectionName(lines[i].text);
        if (name && SameName(*name, section)) {
            std::size_t end = i + 1;
            while (end < lines.size() && !SectionName(lines[end].text)) {
                ++end;
            }
            return SectionSpan{i, end};
        }
    }
    return std::nullopt;
}

} // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t capacity,
                                    const std::filesystem::path& file) {
    std::string lineBreak;
    const auto lines = ReadLines(file, lineBreak);
    std::string result = defaultValue;
    if (lines) {
        if (const auto span = FindSection(*lines, section)) {
            for (std::size_t i = span->header + 1; i < span->end; ++i) {
                const auto kv = SplitKeyValue((*lines)[i].text);
                if (kv && SameName(kv->key, Trim(key))) {
                    result = Unquote(kv->value);
                    break;
                }
            }
        }
    }
    return CutToCharacters(result, capacity);
}

bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::filesystem::path& file) {
    std::string lineBreak = "\n";
    std::vector<Line> lines;
    std::error_code error;
    if (std::filesystem::exists(file, error)) {
        auto existing = ReadLines(file, lineBreak);
        if (!existing) {
            return false; // a folder, an unreadable or an oversized file: leave it alone
        }
        lines = std::move(*existing);
    }
    const std::string entry = Trim(key) + "=" + value;
    if (const auto span = FindSection(lines, section)) {
        bool replaced = false;
        std::size_t lastEntry = span->header;
        for (std::size_t i = span->header + 1; i < span->end; ++i) {
            if (!Trim(lines[i].text).empty()) {
                lastEntry = i;
            }
            const auto kv = SplitKeyValue(lines[i].text);
            if (kv && SameName(kv->key, Trim(key))) {
                lines[i].text = entry;
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(lastEntry + 1), Line{entry});
        }
    } else {
        lines.push_back({"[" + Trim(section) + "]"});
        lines.push_back({entry});
    }
    std::string text;
    for (const Line& line : lines) {
        text += line.text + lineBreak;
    }
    return ReplaceFileAtomically(file, Bytes(text.begin(), text.end()));
}

} // namespace trimvox
