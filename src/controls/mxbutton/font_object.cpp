// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/font_object.h"

#include <algorithm>

namespace trimvox::mxbutton {

int FontObject::Watch(std::function<void()> watcher) {
    const int id = nextId_++;
    watchers_.emplace_back(id, std::move(watcher));
    return id;
}

void FontObject::Unwatch(int id) {
    watchers_.erase(
        std::remove_if(watchers_.begin(), watchers_.end(), [id](const auto& w) { return w.first == id; }),
        watchers_.end());
}

void FontObject::Changed() {
    // A watcher may stop watching, or start another watch, while it is told.
    const auto watchers = watchers_;
    for (const auto& [id, watcher] : watchers) {
        const bool stillWatching = std::any_of(watchers_.begin(), watchers_.end(),
                                               [id = id](const auto& w) { return w.first == id; });
        if (stillWatching) {
            watcher();
        }
    }
}

std::shared_ptr<FontObject> CopyFont(const std::shared_ptr<FontObject>& font) {
    if (!font) {
        return nullptr;
    }
    return std::make_shared<FontObject>(*font);
}

bool SameFont(const std::shared_ptr<FontObject>& a, const std::shared_ptr<FontObject>& b) {
    if (!a || !b) {
        return !a && !b;
    }
    return a->Description() == b->Description();
}

} // namespace trimvox::mxbutton
