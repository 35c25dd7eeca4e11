// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cutting/segment_cutter.h"

#include <string>

namespace trimvox {

// What the main window's cut reads: the main player's current media and the two marks.
struct PreviewCut {
    std::string sourceUrl; // the player's "sourceURL": the full path of the loaded file
    double duration = 0;   // the player's duration of the loaded media, in seconds
    double startPos = 0;   // StartPos and EndPos, in seconds
    double endPos = 0;
    CutMode mode = CutMode::Bytes; // the byte cut, or the precise cut (which needs no duration)
};

// Cuts the marked segment out of the loaded file into the preview file "tcut.mp3" in the data folder,
// replacing the one before. When the cut fails, there is no preview file afterwards (an old one is
// deleted), and the result says why, so the caller can tell the user instead of playing stale bytes.
// With `cancel`, the cut stops soon after it turns true (see CutRequest::cancel).
CutResult CutPreview(const PreviewCut& cut, const std::atomic<bool>* cancel = nullptr);

} // namespace trimvox
