// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/segment_list.h"

#include <algorithm>
#include <cmath>

namespace trimvox {

std::string Describe(ListRefusal refusal) {
    switch (refusal) {
    case ListRefusal::None:
        return {};
    case ListRefusal::EmptySegment:
        return "a piece must end after it starts";
    case ListRefusal::OutOfRange:
        return "a piece must lie within the source";
    case ListRefusal::Overlap:
        return "pieces must not overlap";
    case ListRefusal::NoSuchSegment:
        return "there is no such piece";
    case ListRefusal::NotInside:
        return "the time lies inside no piece";
    case ListRefusal::NoNext:
        return "the last piece has no next piece to merge with";
    }
    return {};
}

std::int64_t SegmentList::sampleAt(double seconds) const {
    // A time from a file may lie past any count of samples: it then saturates (and stays past the end)
    // instead of wrapping round to a start before the beginning.
    constexpr double kLimit = 9.0e18; // below 2^63, and exact as a double
    const double sample = std::round(seconds * static_cast<double>(rate_));
    if (std::isnan(sample) || sample >= kLimit) {
        return static_cast<std::int64_t>(kLimit);
    }
    if (sample <= -kLimit) {
        return -static_cast<std::int64_t>(kLimit);
    }
    return static_cast<std::int64_t>(sample);
}

double SegmentList::secondsAt(std::int64_t sample) const {
    return rate_ > 0 ? static_cast<double>(sample) / static_cast<double>(rate_) : 0.0;
}

ListRefusal SegmentList::check(const Segment& segment, std::optional<std::size_t> ignoring) const {
    if (segment.start >= segment.end) {
        return ListRefusal::EmptySegment;
    }
    if (segment.start < 0 || segment.end > total_) {
        return ListRefusal::OutOfRange;
    }
    for (std::size_t i = 0; i < segments_.size(); ++i) {
        if (i != ignoring && segments_[i].start < segment.end && segment.start < segments_[i].end) {
            return ListRefusal::Overlap;
        }
    }
    return ListRefusal::None;
}

ListRefusal SegmentList::add(Segment segment) {
    if (const ListRefusal refusal = check(segment, std::nullopt); refusal != ListRefusal::None) {
        return refusal;
    }
    const auto place = std::upper_bound(segments_.begin(), segments_.end(), segment.start,
                                        [](std::int64_t start, const Segment& s) { return start < s.start; });
    segments_.insert(place, std::move(segment));
    return ListRefusal::None;
}

ListRefusal SegmentList::remove(std::size_t index) {
    if (index >= segments_.size()) {
        return ListRefusal::NoSuchSegment;
    }
    segments_.erase(segments_.begin() + static_cast<std::ptrdiff_t>(index));
    return ListRefusal::None;
}

ListRefusal SegmentList::splitAt(std::int64_t sample) {
    const auto holder = std::find_if(segments_.begin(), segments_.end(), [sample](const Segment& s) {
        return s.start < sample && sample < s.end;
    });
    if (holder == segments_.end()) {
        return ListRefusal::NotInside;
    }
    Segment second{sample, holder->end, {}, holder->performer};
    holder->end = sample;
    segments_.insert(holder + 1, std::move(second));
    return ListRefusal::None;
}

ListRefusal SegmentList::mergeWithNext(std::size_t index) {
    if (index >= segments_.size()) {
        return ListRefusal::NoSuchSegment;
    }
    if (index + 1 == segments_.size()) {
        return ListRefusal::NoNext;
    }
    Segment& first = segments_[index];
    Segment& next = segments_[index + 1];
    first.end = next.end;
    if (first.title.empty()) {
        first.title = std::move(next.title);
    }
    if (first.performer.empty()) {
        first.performer = std::move(next.performer);
    }
    segments_.erase(segments_.begin() + static_cast<std::ptrdiff_t>(index + 1));
    return ListRefusal::None;
}

ListRefusal SegmentList::setBounds(std::size_t index, std::int64_t start, std::int64_t end) {
    if (index >= segments_.size()) {
        return ListRefusal::NoSuchSegment;
    }
    Segment moved = segments_[index];
    moved.start = start;
    moved.end = end;
    if (const ListRefusal refusal = check(moved, index); refusal != ListRefusal::None) {
        return refusal;
    }
    // Without overlap the order cannot change.
    segments_[index] = std::move(moved);
    return ListRefusal::None;
}

ListRefusal SegmentList::setTitle(std::size_t index, std::string title) {
    if (index >= segments_.size()) {
        return ListRefusal::NoSuchSegment;
    }
    segments_[index].title = std::move(title);
    return ListRefusal::None;
}

std::optional<std::size_t> FindBadSegment(const std::vector<Segment>& segments, std::int64_t totalSamples) {
    for (std::size_t i = 0; i < segments.size(); ++i) {
        const Segment& s = segments[i];
        if (s.start >= s.end || s.start < 0 || s.end > totalSamples ||
            (i > 0 && s.start < segments[i - 1].end)) {
            return i;
        }
    }
    return std::nullopt;
}

SegmentList TileAt(long rate, std::int64_t totalSamples, std::vector<std::int64_t> boundaries) {
    std::sort(boundaries.begin(), boundaries.end());
    boundaries.erase(std::unique(boundaries.begin(), boundaries.end()), boundaries.end());
    SegmentList list(rate, totalSamples);
    std::int64_t start = 0;
    for (const std::int64_t boundary : boundaries) {
        if (boundary > start && boundary < totalSamples) {
            list.add(Segment{start, boundary, {}, {}});
            start = boundary;
        }
    }
    if (start < totalSamples) {
        list.add(Segment{start, totalSamples, {}, {}});
    }
    return list;
}

} // namespace trimvox
