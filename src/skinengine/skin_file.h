// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace trimvox::skin {

// A skin file: the four bytes ".SHE", a line break, then "name=value" lines. Colours are "#RRGGBB".
//   window, text, base, alternate, button, buttontext, highlight, highlightedtext,
//   frame (group box border), title (group box title), label (label text), accent
struct SkinColours {
    std::uint32_t window = 0xF0F0F0;
    std::uint32_t text = 0x000000;
    std::uint32_t base = 0xFFFFFF;
    std::uint32_t alternate = 0xF5F5F5;
    std::uint32_t button = 0xF0F0F0;
    std::uint32_t buttonText = 0x000000;
    std::uint32_t highlight = 0x3584E4;
    std::uint32_t highlightedText = 0xFFFFFF;
    std::uint32_t frame = 0xA0A0A0;
    std::uint32_t title = 0x000000;
    std::uint32_t label = 0x000000;
    std::uint32_t accent = 0x3584E4;
};

struct SkinFile {
    std::string name;
    SkinColours colours;
};

// Parses the bytes of a skin file; nothing when they do not start with ".SHE" or hold no valid colour.
// Unknown names and malformed lines are skipped.
std::optional<SkinFile> ParseSkinFile(const std::vector<std::uint8_t>& bytes);

} // namespace trimvox::skin
