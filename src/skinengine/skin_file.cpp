// SPDX-License-Identifier: GPL-3.0-or-later
#include "skinengine/skin_file.h"

#include <cstring>

namespace trimvox::skin {

namespace {

std::string Trim(const std::string& text) {
    const auto begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) {
        return {};
    }
    const auto end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

std::optional<std::uint32_t> ParseColour(const std::string& text) {
    if (text.size() != 7 || text[0] != '#') {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (std::size_t i = 1; i < 7; ++i) {
        const char c = text[i];
        value <<= 4;
        if (c >= '0' && c <= '9') {
            value |= static_cast<std::uint32_t>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            value |= static_cast<std::uint32_t>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            value |= static_cast<std::uint32_t>(c - 'A' + 10);
        } else {
            return std::nullopt;
        }
    }
    return value;
}

std::uint32_t* Slot(SkinColours& colours, const std::string& name) {
    struct Entry {
        const char* name;
        std::uint32_t SkinColours::*member;
    };
    static const Entry entries[] = {
        {"window", &SkinColours::window},       {"text", &SkinColours::text},
        {"base", &SkinColours::base},           {"alternate", &SkinColours::alternate},
        {"button", &SkinColours::button},       {"buttontext", &SkinColours::buttonText},
        {"highlight", &SkinColours::highlight}, {"highlightedtext", &SkinColours::highlightedText},
        {"frame", &SkinColours::frame},         {"title", &SkinColours::title},
        {"label", &SkinColours::label},         {"accent", &SkinColours::accent},
    };
    for (const Entry& e : entries) {
        if (name == e.name) {
            return &(colours.*e.member);
        }
    }
    return nullptr;
}

} // namespace

std::optional<SkinFile> ParseSkinFile(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 4 || std::memcmp(bytes.data(), ".SHE", 4) != 0) {
        return std::nullopt;
    }
    SkinFile skin;
    int colours = 0;
    std::string text(bytes.begin() + 4, bytes.end());
    std::size_t start = 0;
    while (start <= text.size()) {
        auto end = text.find('\n', start);
        if (end == std::string::npos) {
            end = text.size();
        }
        const std::string line = text.substr(start, end - start);
        start = end + 1;
        const auto equals = line.find('=');
        if (equals == std::string::npos) {
            continue;
        }
        const std::string name = Trim(line.substr(0, equals));
        const std::string value = Trim(line.substr(equals + 1));
        if (name == "name") {
            skin.name = value;
        } else if (std::uint32_t* slot = Slot(skin.colours, name)) {
            if (const auto colour = ParseColour(value)) {
                *slot = *colour;
                ++colours;
            }
        }
    }
    if (colours == 0) {
        return std::nullopt;
    }
    return skin;
}

} // namespace trimvox::skin
