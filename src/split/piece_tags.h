// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace trimvox {

// What a piece's file is tagged with on top of the tags it carries from its source (UTF-8 texts).
struct PieceTags {
    std::string title;     // empty: the piece has no title of its own and the source's stays
    std::size_t track = 1; // counted from 1
    std::size_t total = 1;
    std::string performer;     // empty: the source's artist stays
    std::string album;         // empty: the source's album stays
    std::int64_t lengthMs = 0; // the piece's playing time, for a length frame (TLEN) carried from the source
};

// Sets the tags of the MP3 file at `file` in place with TagLib: in its ID3v2 tag (made when there is none;
// an ID3v2.3 tag stays 2.3, anything else is written as 2.4) the title, the track "n/total", the performer
// and the album where given, and the piece's length where the source's tag gave one; the source's chapter
// frames, which hold the source's times, go; its other frames are kept. In its ID3v1 tag, where it has one,
// the same fields where they fit its Latin-1 text, else left empty (players read the ID3v2 tag first).
// Returns an empty text, or why the file could not be tagged.
std::string TagPiece(const std::filesystem::path& file, const PieceTags& tags);

} // namespace trimvox
