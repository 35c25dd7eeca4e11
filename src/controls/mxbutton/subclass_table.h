// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/window_hook_chain.h"

#include <cstdint>
#include <memory>
#include <vector>

class QObject;

namespace trimvox::mxbutton {

// One hooked window of a button. An entry whose window is null is free.
struct HookEntry {
    QObject* window = nullptr;
    std::shared_ptr<HookLink> thunk;      // the hook standing in front of the window
    std::uintptr_t previousProcedure = 0; // what was in front before it; 0 the window's own handling
    std::int32_t afterCount = 0;          // 0 none, -1 every message
    std::int32_t beforeCount = 0;
    std::vector<std::int32_t> afterTable; // table entries 1..count; 0 marks a removed message
    std::vector<std::int32_t> beforeTable;
};

// A button's window hooks: which windows it hooked and which of their messages it wants to hear of,
// before or after the window's own handling.
class SubclassTable {
public:
    explicit SubclassTable(SubclassCallback& owner) : owner_(owner) {}
    ~SubclassTable();
    SubclassTable(const SubclassTable&) = delete;
    SubclassTable& operator=(const SubclassTable&) = delete;

    // Hooks the window and returns its entry's index. Hooking a window twice gives it a second entry.
    int SubclassWindow(QObject* window);
    // Gives the window back what was in front of it before and frees its entry; nothing for a window
    // without an entry.
    void UnsubclassWindow(QObject* window);
    // Removes every hook, the last entry first.
    void UnsubclassAll();
    // Registers a message (or kAllMessages) for a hooked window; flag kMsgAfter, kMsgBefore or both.
    void AddSubclassMessage(QObject* window, std::int32_t message, int flag);
    void RemoveSubclassMessage(QObject* window, std::int32_t message, int flag);
    // Scans from the last entry down: when adding, the first free entry; else the first entry of the
    // window. -1 when there is none.
    int FindHookIndex(QObject* window, bool forAdding) const;

    const std::vector<HookEntry>& Entries() const { return entries_; }

private:
    static void AddToTable(std::int32_t& count, std::vector<std::int32_t>& table, std::int32_t message);
    static void RemoveFromTable(std::int32_t& count, std::vector<std::int32_t>& table, std::int32_t message);
    // Writes the entry's counts and tables into its hook.
    static void WriteThunk(HookEntry& entry);

    SubclassCallback& owner_;
    bool created_ = false;
    std::vector<HookEntry> entries_;
};

} // namespace trimvox::mxbutton
