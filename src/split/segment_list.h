// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace trimvox {

// One piece of a recording: the samples [start, end) of the source, counted per channel on the gapless
// timeline (the encoder's delay and padding removed), with what its file will be tagged with.
struct Segment {
    std::int64_t start = 0;
    std::int64_t end = 0;
    std::string title;     // UTF-8; may be empty
    std::string performer; // UTF-8; empty: the source's own artist stays

    std::int64_t length() const { return end - start; }
    friend bool operator==(const Segment&, const Segment&) = default;
};

// Why a change to a list was refused (the list is then unchanged).
enum class ListRefusal {
    None,
    EmptySegment, // start at or after end
    OutOfRange,   // before the source's start or after its end
    Overlap,      // shares samples with a segment already in the list
    NoSuchSegment,
    NotInside, // a split time that is not strictly inside a segment
    NoNext,    // a merge of the last segment
};

// An English sentence for the command line and the log (the window says it in its own words).
std::string Describe(ListRefusal refusal);

// The pieces of one source, ordered by start and never overlapping (gaps between them are allowed: they
// are left out, as silence trimmed off). Times are sample counts at the source's rate: a time of t seconds
// is sample round(t × rate), the same count the precise cut makes of its marks, so a list converts to cut
// marks and back without drift. A plain value: copy it to keep a state (undo and redo keep snapshots).
class SegmentList {
public:
    SegmentList() = default;
    // A list for a source of `totalSamples` samples per channel at `rate` samples per second.
    SegmentList(long rate, std::int64_t totalSamples) : rate_(rate), total_(totalSamples) {}

    long rate() const { return rate_; }
    std::int64_t totalSamples() const { return total_; }
    const std::vector<Segment>& segments() const { return segments_; }
    std::size_t size() const { return segments_.size(); }
    bool empty() const { return segments_.empty(); }
    const Segment& operator[](std::size_t index) const { return segments_[index]; }

    // The sample of a time in seconds, round(seconds × rate), and back.
    std::int64_t sampleAt(double seconds) const;
    double secondsAt(std::int64_t sample) const;

    // Puts the segment in its place by start.
    ListRefusal add(Segment segment);
    ListRefusal remove(std::size_t index);
    // Cuts the segment that holds `sample` strictly inside into [start, sample) and [sample, end); the
    // second half keeps the performer and starts with no title.
    ListRefusal splitAt(std::int64_t sample);
    // Joins a segment with the one after it (and whatever gap lies between); the title and performer of
    // the first stay, or those of the second where the first has none.
    ListRefusal mergeWithNext(std::size_t index);
    // Moves the edges of one segment (a dragged or typed edge); the same checks as add.
    ListRefusal setBounds(std::size_t index, std::int64_t start, std::int64_t end);
    ListRefusal setTitle(std::size_t index, std::string title);

    friend bool operator==(const SegmentList&, const SegmentList&) = default;

private:
    ListRefusal check(const Segment& segment, std::optional<std::size_t> ignoring) const;

    long rate_ = 44100;
    std::int64_t total_ = 0;
    std::vector<Segment> segments_;
};

// The first segment of a sequence made elsewhere that is empty, starts before the one before it ends, or
// lies outside [0, totalSamples]; nothing when the sequence could be a SegmentList as it stands.
std::optional<std::size_t> FindBadSegment(const std::vector<Segment>& segments, std::int64_t totalSamples);

// A list of segments that tile the source: [0, b1), [b1, b2), ..., [bk, total) for the given inner
// boundaries (sorted, duplicates and those at or beyond the ends dropped). The segments have no titles.
SegmentList TileAt(long rate, std::int64_t totalSamples, std::vector<std::int64_t> boundaries);

} // namespace trimvox
