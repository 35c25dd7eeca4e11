// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/silence_split.h"

#include <cmath>

namespace trimvox {

namespace {

// A run of sound, [first, last), and the silences that bound it (indices; -1 for an end of the source).
struct Stretch {
    std::int64_t first = 0;
    std::int64_t last = 0;
    long silenceBefore = -1;
    long silenceAfter = -1;
};

} // namespace

SilenceReport PiecesFromSilences(std::vector<Silence> silences, long rate, std::int64_t totalSamples,
                                 const SilenceOptions& options) {
    SilenceReport report;
    report.pieces = SegmentList(rate, totalSamples);
    for (Silence& silence : silences) {
        silence.split = false;
    }
    // The stretches of sound between the silences.
    std::vector<Stretch> stretches;
    std::int64_t soundFrom = 0;
    long before = -1;
    for (std::size_t i = 0; i < silences.size(); ++i) {
        if (silences[i].start > soundFrom) {
            stretches.push_back(Stretch{soundFrom, silences[i].start, before, static_cast<long>(i)});
        }
        soundFrom = silences[i].end;
        before = static_cast<long>(i);
    }
    if (soundFrom < totalSamples) {
        stretches.push_back(Stretch{soundFrom, totalSamples, before, -1});
    }
    if (stretches.empty()) {
        if (!options.trimSilence && totalSamples > 0) {
            report.pieces.add(Segment{0, totalSamples, {}, {}});
        }
        report.silences = std::move(silences);
        return report;
    }

    // Short stretches join a neighbour: left to right into the one before, then the first into the next.
    const auto minSound =
        static_cast<std::int64_t>(std::llround(options.minPieceSeconds * static_cast<double>(rate)));
    std::vector<Stretch> pieces;
    for (const Stretch& stretch : stretches) {
        if (!pieces.empty() && stretch.last - stretch.first < minSound) {
            pieces.back().last = stretch.last;
            pieces.back().silenceAfter = stretch.silenceAfter;
        } else {
            pieces.push_back(stretch);
        }
    }
    if (pieces.size() > 1 && pieces[0].last - pieces[0].first < minSound) {
        pieces[1].first = pieces[0].first;
        pieces[1].silenceBefore = pieces[0].silenceBefore;
        pieces.erase(pieces.begin());
    }

    for (std::size_t k = 0; k < pieces.size(); ++k) {
        const Stretch& piece = pieces[k];
        Segment segment{piece.first, piece.last, {}, {}};
        if (!options.trimSilence) {
            const auto middle = [&](long index) {
                const Silence& s = silences[static_cast<std::size_t>(index)];
                return s.start + (s.end - s.start) / 2;
            };
            segment.start = k == 0 ? 0 : middle(piece.silenceBefore);
            segment.end = k + 1 == pieces.size() ? totalSamples : middle(piece.silenceAfter);
        }
        if (k + 1 < pieces.size()) {
            silences[static_cast<std::size_t>(piece.silenceAfter)].split = true;
        }
        report.pieces.add(std::move(segment));
    }
    report.silences = std::move(silences);
    return report;
}

} // namespace trimvox
