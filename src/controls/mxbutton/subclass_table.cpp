// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/subclass_table.h"

#include "controls/mxbutton/window_messages.h"

#include <algorithm>

namespace trimvox::mxbutton {

SubclassTable::~SubclassTable() {
    UnsubclassAll();
}

int SubclassTable::SubclassWindow(QObject* window) {
    if (window == nullptr) {
        return -1;
    }
    int index = 0;
    if (!created_) {
        created_ = true;
        entries_.assign(1, HookEntry{});
    } else {
        index = FindHookIndex(window, true);
        if (index < 0) {
            entries_.emplace_back();
            index = static_cast<int>(entries_.size()) - 1;
        }
    }
    HookEntry& entry = entries_[static_cast<std::size_t>(index)];
    entry = HookEntry{};
    entry.window = window;
    entry.thunk = std::make_shared<HookLink>();
    entry.thunk->owner = &owner_;
    // The hook is complete before it is put in front of the window.
    entry.previousProcedure = WindowHookChain::CurrentProcedure(window);
    WindowHookChain::Attach(window, entry.thunk);
    return index;
}

void SubclassTable::UnsubclassWindow(QObject* window) {
    const int index = FindHookIndex(window, false);
    if (index < 0) {
        return;
    }
    HookEntry& entry = entries_[static_cast<std::size_t>(index)];
    // A message still on its way through the hook passes straight through.
    entry.thunk->beforeCount = 0;
    entry.thunk->afterCount = 0;
    entry.thunk->owner = nullptr;
    WindowHookChain::Detach(window, entry.thunk);
    entry = HookEntry{};
}

void SubclassTable::UnsubclassAll() {
    for (int i = static_cast<int>(entries_.size()) - 1; i >= 0; --i) {
        QObject* window = entries_[static_cast<std::size_t>(i)].window;
        if (window != nullptr) {
            UnsubclassWindow(window);
        }
    }
}

int SubclassTable::FindHookIndex(QObject* window, bool forAdding) const {
    for (int i = static_cast<int>(entries_.size()) - 1; i >= 0; --i) {
        QObject* held = entries_[static_cast<std::size_t>(i)].window;
        if (forAdding ? held == nullptr : held == window) {
            return i;
        }
    }
    return -1;
}

void SubclassTable::AddToTable(std::int32_t& count, std::vector<std::int32_t>& table, std::int32_t message) {
    if (message == kAllMessages) {
        count = kAllMessages;
        return;
    }
    if (count == kAllMessages) {
        return; // every message is reported already
    }
    for (std::int32_t i = 0; i < count; ++i) {
        std::int32_t& slot = table[static_cast<std::size_t>(i)];
        if (slot == 0) {
            slot = message; // reuse a removed entry
            return;
        }
        if (slot == message) {
            return;
        }
    }
    ++count;
    table.resize(static_cast<std::size_t>(count));
    table.back() = message;
}

void SubclassTable::RemoveFromTable(std::int32_t& count, std::vector<std::int32_t>& table,
                                    std::int32_t message) {
    if (message == kAllMessages) {
        count = 0;
        return;
    }
    const std::size_t n = std::min(table.size(), static_cast<std::size_t>(std::max(count, 0)));
    for (std::size_t i = 0; i < n; ++i) {
        if (table[i] == message) {
            table[i] = 0;
        }
    }
}

void SubclassTable::WriteThunk(HookEntry& entry) {
    entry.thunk->beforeCount = entry.beforeCount;
    entry.thunk->beforeTable = entry.beforeTable;
    entry.thunk->afterCount = entry.afterCount;
    entry.thunk->afterTable = entry.afterTable;
}

void SubclassTable::AddSubclassMessage(QObject* window, std::int32_t message, int flag) {
    const int index = FindHookIndex(window, false);
    if (index < 0) {
        return;
    }
    HookEntry& entry = entries_[static_cast<std::size_t>(index)];
    if (flag & kMsgBefore) {
        AddToTable(entry.beforeCount, entry.beforeTable, message);
    }
    if (flag & kMsgAfter) {
        AddToTable(entry.afterCount, entry.afterTable, message);
    }
    WriteThunk(entry);
}

void SubclassTable::RemoveSubclassMessage(QObject* window, std::int32_t message, int flag) {
    const int index = FindHookIndex(window, false);
    if (index < 0) {
        return;
    }
    HookEntry& entry = entries_[static_cast<std::size_t>(index)];
    if (flag & kMsgBefore) {
        RemoveFromTable(entry.beforeCount, entry.beforeTable, message);
    }
    if (flag & kMsgAfter) {
        RemoveFromTable(entry.afterCount, entry.afterTable, message);
    }
    WriteThunk(entry);
}

} // namespace trimvox::mxbutton
