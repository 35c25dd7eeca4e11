// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/segments/list_history.h"

namespace trimvox {

namespace {
constexpr std::size_t kDepth = 500;
}

bool ListHistory::commit(SegmentList next) {
    if (next == current_) {
        return false;
    }
    undo_.push_back({std::move(current_), revision_});
    if (undo_.size() > kDepth) {
        undo_.erase(undo_.begin());
    }
    redo_.clear();
    current_ = std::move(next);
    revision_ = next_++;
    return true;
}

bool ListHistory::undo() {
    if (undo_.empty()) {
        return false;
    }
    redo_.push_back({std::move(current_), revision_});
    current_ = std::move(undo_.back().list);
    revision_ = undo_.back().revision;
    undo_.pop_back();
    return true;
}

bool ListHistory::redo() {
    if (redo_.empty()) {
        return false;
    }
    undo_.push_back({std::move(current_), revision_});
    current_ = std::move(redo_.back().list);
    revision_ = redo_.back().revision;
    redo_.pop_back();
    return true;
}

} // namespace trimvox
