// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "split/segment_list.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trimvox {

// The longest file name part that a template may give, in bytes of UTF-8, before " (2)" and ".mp3": well
// within the 255 bytes of Linux file systems and the 255 UTF-16 units of FAT, exFAT and NTFS.
inline constexpr std::size_t kMaxNameBytes = 200;

// "{nn} {title}" when every piece has a title, else "{stem} {nn}".
std::string DefaultNameTemplate(const SegmentList& list);

// What is wrong with a template: an unknown placeholder or a brace without its partner (English); nothing
// when it is usable. Placeholders: {n} the piece's number from 1, {nn} the number with leading zeros to
// at least two digits (three from 100 pieces on, ...), {title} the piece's title, {stem} the source's file
// name without its extension.
std::optional<std::string> TemplateProblem(std::string_view nameTemplate);

// A name that any common file system takes and that survives a copy to a USB stick: "/", "\", ":", "*",
// "?", """, "<", ">", "|", control characters and bytes that are not UTF-8 become "_"; spaces at either end
// and dots at the end go (Windows drops them); a leading dot becomes "_" (no hidden files); a name that is a
// Windows device (CON, PRN, AUX, NUL, COM1-9, LPT1-9, with any extension) gets a "_" in front; at most
// `maxBytes`, cut at a character boundary. Empty when nothing is left.
std::string SafeFileName(std::string_view name, std::size_t maxBytes = kMaxNameBytes);

// The file name of every piece, ".mp3" added: the template filled in and made safe; a piece whose name
// comes out empty is named by "{stem} {nn}"; names that clash (without regard to ASCII case, as FAT and
// NTFS compare them) get " (2)", " (3)", ... The template must have no problem (see TemplateProblem).
std::vector<std::string> PieceFileNames(const SegmentList& list, std::string_view nameTemplate,
                                        std::string_view stem);

} // namespace trimvox
