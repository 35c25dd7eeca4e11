// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "split/segment_list.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trimvox {

// What is wrong with a list file (cue sheet, label file, chapter list).
enum class ListTextProblem {
    NotText,      // neither UTF-8 nor GB18030 (nor UTF-16 with a byte-order mark)
    BadLine,      // the line is not of the form the format expects
    BadTime,      // a time that does not read as one
    OutOfOrder,   // a piece that starts before the one before it ends (or a time not after the last)
    BeyondEnd,    // a piece that starts at or after the end of the source
    SeveralFiles, // a cue sheet of more than one audio file
    NoPieces,     // nothing in the file makes a piece
};

struct ListTextError {
    int line = 0; // 1-based; 0 for the file as a whole
    ListTextProblem problem = ListTextProblem::BadLine;
    std::string detail; // what the line holds that is wrong, or what was expected (English)
};

// "line 7: ..." in English, for the command line.
std::string Describe(const ListTextError& error);

// A list read from a file. `album`, `performer` and `audioFile` come from a cue sheet only.
struct ImportedList {
    SegmentList list;
    std::string album;
    std::string performer;
    std::string audioFile;
};

// A file read as a list, or why not (then nothing of it is to be used).
struct ImportResult {
    std::optional<ListTextError> error;
    ImportedList imported;
    bool ok() const { return !error.has_value(); }
};

// Starts reading a list file: an empty list of the source's length in `result`, and the file's text as
// UTF-8 in `text` with its `lines` (views into `text`). False, with the error in `result`, when the bytes
// are no text.
bool StartImport(std::string_view bytes, long rate, std::int64_t totalSamples, ImportResult& result,
                 std::string& text, std::vector<std::string_view>& lines);

// The lines of a text, without their line ends ("\n", "\r\n" or "\r").
std::vector<std::string_view> SplitLines(std::string_view text);

// `text` without spaces and tabs at either end.
std::string_view TrimSpace(std::string_view text);

} // namespace trimvox
