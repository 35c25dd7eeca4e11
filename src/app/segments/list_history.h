// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "split/segment_list.h"

#include <cstdint>
#include <vector>

namespace trimvox {

// Undo and redo of a segment list, as whole snapshots (a list of a few hundred pieces is a few kilobytes),
// and whether the list differs from the one last exported or opened.
class ListHistory {
public:
    ListHistory() = default;
    explicit ListHistory(SegmentList initial) : current_(std::move(initial)) {}

    const SegmentList& current() const { return current_; }
    // A new state; false (and nothing kept) when it equals the current one.
    bool commit(SegmentList next);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    bool undo();
    bool redo();

    // The current list is the one on disk (exported, or nothing to lose).
    void markSaved() { saved_ = revision_; }
    bool unsaved() const { return saved_ != revision_; }

private:
    struct State {
        SegmentList list;
        std::uint64_t revision;
    };
    SegmentList current_;
    std::uint64_t revision_ = 0;
    std::uint64_t next_ = 1;
    std::uint64_t saved_ = 0;
    std::vector<State> undo_;
    std::vector<State> redo_;
};

} // namespace trimvox
