// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "split/segment_list.h"

#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace trimvox {

// Every piece of a list cut out of its source into a folder, through the sample-exact precise cut.
struct ExportRequest {
    std::filesystem::path source;
    SegmentList list;
    std::filesystem::path folder;
    std::string nameTemplate;     // {n}, {nn}, {title}, {stem}; empty: DefaultNameTemplate(list)
    bool replaceExisting = false; // without it, an existing file refuses the export before anything is written
    std::string album;            // from a cue sheet's TITLE; empty: the source's own album stays
};

// The piece about to be cut (counted from 0) of all of them; called on the exporting thread.
struct ExportProgress {
    std::size_t piece = 0;
    std::size_t total = 0;
};
// Returns false to cancel: the piece being cut is not kept, the pieces before it are.
using ExportProgressFn = std::function<bool(const ExportProgress&)>;

enum class ExportError { None, BadTemplate, FolderUnusable, TargetExists, CutFailed, TagFailed, Cancelled };

struct ExportOutcome {
    ExportError error = ExportError::None;
    std::string detail;                         // English, for the command line: names the file or the piece
    std::size_t failedPiece = 0;                // the piece that failed or was cancelled
    std::vector<std::filesystem::path> written; // the complete files written, in order
    bool ok() const { return error == ExportError::None; }
};

// Cuts every piece in order, names it by the template (file names made safe, ".mp3" added), tags it with
// the source's tags plus its title, its track number n/total and, where the list has them, its performer
// and the album. A failed or cancelled export leaves no partial file; `written` says which were made.
ExportOutcome ExportAll(const ExportRequest& request, const ExportProgressFn& progress = {});

} // namespace trimvox
