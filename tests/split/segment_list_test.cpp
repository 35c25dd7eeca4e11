// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/equal_parts.h"
#include "split/segment_list.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

using Bounds = std::vector<std::pair<std::int64_t, std::int64_t>>;

Bounds BoundsOf(const SegmentList& list) {
    Bounds bounds;
    for (const Segment& s : list.segments()) {
        bounds.emplace_back(s.start, s.end);
    }
    return bounds;
}

// A list of 1000 samples holding [100, 200) "a" and [300, 500) "b".
SegmentList TwoPieces() {
    SegmentList list(1000, 1000);
    list.add(Segment{300, 500, "b", "B"});
    list.add(Segment{100, 200, "a", ""});
    return list;
}

// Every change to a list, from the same starting list: what it answers, and the list after it (a refused
// change leaves the list as it was).
TEST(SegmentListTest, ChangesKeepTheListOrderedWithoutOverlap) {
    struct Case {
        const char* name;
        std::function<ListRefusal(SegmentList&)> change;
        ListRefusal answer;
        Bounds after;
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {"add between keeps the order",
         [](SegmentList& l) {
             return l.add({200, 300, "m", ""});
         },
         ListRefusal::None,
         {{100, 200}, {200, 300}, {300, 500}},
         {"a", "m", "b"}},
        {"add at the very end",
         [](SegmentList& l) {
             return l.add({500, 1000, "", ""});
         },
         ListRefusal::None,
         {{100, 200}, {300, 500}, {500, 1000}},
         {"a", "b", ""}},
        {"add that overlaps by one sample",
         [](SegmentList& l) {
             return l.add({199, 250, "", ""});
         },
         ListRefusal::Overlap,
         {{100, 200}, {300, 500}},
         {"a", "b"}},
        {"add that covers another",
         [](SegmentList& l) {
             return l.add({50, 600, "", ""});
         },
         ListRefusal::Overlap,
         {{100, 200}, {300, 500}},
         {"a", "b"}},
        {"add of nothing",
         [](SegmentList& l) {
             return l.add({250, 250, "", ""});
         },
         ListRefusal::EmptySegment,
         {{100, 200}, {300, 500}},
         {"a", "b"}},
        {"add past the end",
         [](SegmentList& l) {
             return l.add({900, 1001, "", ""});
         },
         ListRefusal::OutOfRange,
         {{100, 200}, {300, 500}},
         {"a", "b"}},
        {"add before the start",
         [](SegmentList& l) {
             return l.add({-1, 50, "", ""});
         },
         ListRefusal::OutOfRange,
         {{100, 200}, {300, 500}},
         {"a", "b"}},
        {"remove the first",
         [](SegmentList& l) { return l.remove(0); },
         ListRefusal::None,
         {{300, 500}},
         {"b"}},
        {"remove what is not there",
         [](SegmentList& l) { return l.remove(2); },
         ListRefusal::NoSuchSegment,
         {{100, 200}, {300, 500}},
         {"a", "b"}},
        {"split inside: the second half has no title, keeps the performer",
         [](SegmentList& l) { return l.splitAt(400); },
         ListRefusal::None,
         {{100, 200}, {300, 400}, {400, 500}},
         {"a", "b", ""}},
        {"split at an edge",
         [](SegmentList& l) { return l.splitAt(300); },
         ListRefusal::NotInside,
         {{100, 200}, {300, 500}},
         {"a", "b"}},
        {"split in a gap",
         [](SegmentList& l) { return l.splitAt(250); },
         ListRefusal::NotInside,
         {{100, 200}, {300, 500}},
         {"a", "b"}},
        {"merge takes in the gap",
         [](SegmentList& l) { return l.mergeWithNext(0); },
         ListRefusal::None,
         {{100, 500}},
         {"a"}},
        {"merge of the last",
         [](SegmentList& l) { return l.mergeWithNext(1); },
         ListRefusal::NoNext,
         {{100, 200}, {300, 500}},
         {"a", "b"}},
        {"merge of an untitled piece takes the next one's title",
         [](SegmentList& l) {
             l.setTitle(0, "");
             return l.mergeWithNext(0);
         },
         ListRefusal::None,
         {{100, 500}},
         {"b"}},
        {"an edge moved up to the next piece",
         [](SegmentList& l) { return l.setBounds(0, 150, 300); },
         ListRefusal::None,
         {{150, 300}, {300, 500}},
         {"a", "b"}},
        {"an edge moved into the next piece",
         [](SegmentList& l) { return l.setBounds(0, 100, 301); },
         ListRefusal::Overlap,
         {{100, 200}, {300, 500}},
         {"a", "b"}},
        {"edges crossed",
         [](SegmentList& l) { return l.setBounds(1, 450, 400); },
         ListRefusal::EmptySegment,
         {{100, 200}, {300, 500}},
         {"a", "b"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SegmentList list = TwoPieces();
        const SegmentList before = list;
        EXPECT_EQ(c.change(list), c.answer);
        EXPECT_EQ(BoundsOf(list), c.after);
        std::vector<std::string> titles;
        for (const Segment& s : list.segments()) {
            titles.push_back(s.title);
        }
        EXPECT_EQ(titles, c.titles);
        EXPECT_FALSE(FindBadSegment(list.segments(), list.totalSamples()));
        if (c.answer != ListRefusal::None) {
            EXPECT_EQ(list, before);
        }
    }
    // The split's second half keeps the performer.
    SegmentList split = TwoPieces();
    split.splitAt(400);
    EXPECT_EQ(split[2].performer, "B");
}

// Lists made by rule tile the source exactly: --at, --parts and --every.
TEST(SegmentListTest, TilingsCoverTheSourceExactly) {
    struct Case {
        const char* name;
        std::optional<SegmentList> list;
        Bounds expected; // empty: no list
    };
    const Case cases[] = {
        {"marks, unsorted, doubled and out of range",
         TileAt(10, 100, {70, 30, 30, 0, 100, 150}),
         {{0, 30}, {30, 70}, {70, 100}}},
        {"no marks", TileAt(10, 100, {}), {{0, 100}}},
        {"three equal parts of 100", EqualParts(10, 100, 3), {{0, 33}, {33, 67}, {67, 100}}},
        {"one part", EqualParts(10, 100, 1), {{0, 100}}},
        {"as many parts as samples", EqualParts(10, 4, 4), {{0, 1}, {1, 2}, {2, 3}, {3, 4}}},
        {"more parts than samples", EqualParts(10, 4, 5), {}},
        {"no parts", EqualParts(10, 4, 0), {}},
        {"every 3 s of 10 s at 10 Hz", PiecesEvery(10, 100, 3.0), {{0, 30}, {30, 60}, {60, 90}, {90, 100}}},
        {"every 2.5 s of 10 s: no empty last piece",
         PiecesEvery(10, 100, 2.5),
         {{0, 25}, {25, 50}, {50, 75}, {75, 100}}},
        {"every 0.15 s rounds each boundary", PiecesEvery(10, 5, 0.15), {{0, 2}, {2, 3}, {3, 5}}},
        {"longer than the source", PiecesEvery(10, 100, 60.0), {{0, 100}}},
        {"shorter than a sample", PiecesEvery(10, 100, 0.01), {}},
        {"not positive", PiecesEvery(10, 100, -1.0), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.list.has_value(), !c.expected.empty());
        if (c.list) {
            EXPECT_EQ(BoundsOf(*c.list), c.expected);
        }
    }
    // An hour at 44.1 kHz in seven parts: the lengths add up to the whole and differ by one at most.
    const std::int64_t hour = 3600LL * 44100 + 17;
    const auto parts = EqualParts(44100, hour, 7);
    ASSERT_TRUE(parts);
    std::int64_t sum = 0;
    for (const Segment& s : parts->segments()) {
        sum += s.length();
        EXPECT_LE(std::abs(s.length() - hour / 7), 1);
    }
    EXPECT_EQ(sum, hour);
}

} // namespace
} // namespace trimvox
