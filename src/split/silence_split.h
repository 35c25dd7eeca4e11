// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "split/segment_list.h"
#include "split/silence_detector.h"

#include <vector>

namespace trimvox {

struct SilenceOptions {
    double thresholdDb = -50.0;     // quieter than this is silent (dBFS, peak)
    double minSilenceSeconds = 1.0; // shorter quiet stretches are pauses within a piece
    double minPieceSeconds = 3.0;   // a piece with less sound than this joins the one before
    bool trimSilence = false;       // pieces hold the sound only, not the silence around it
};

// What a search for silence found: every silence, each marked where a piece boundary went into it, and
// the pieces.
struct SilenceReport {
    std::vector<Silence> silences;
    SegmentList pieces;
};

// The pieces that silences give (pure arithmetic; the detector found the silences).
// - The sound between two silences, or between a silence and an end of the source, is a stretch of sound.
//   A stretch with less than `minPieceSeconds` of sound (from its first to its last sound) joins the
//   stretch before it, the silence between them included (the first stretch joins the one after it). So
//   the same pieces come out whether or not the silence is trimmed.
// - Untrimmed, the pieces tile the source: each boundary is the middle of the silence between two pieces
//   (rounded down), a silence at the start or the end of the source stays in the first or last piece.
// - Trimmed, a piece runs from its first sound to its last; a silence at the start or the end is left out.
//   Only silences as found are trimmed: a quiet start or end shorter than `minSilenceSeconds` stays.
// A source with no sound at all gives one piece untrimmed (the whole source) and none trimmed.
SilenceReport PiecesFromSilences(std::vector<Silence> silences, long rate, std::int64_t totalSamples,
                                 const SilenceOptions& options);

} // namespace trimvox
