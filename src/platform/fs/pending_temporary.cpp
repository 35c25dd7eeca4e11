// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fs/pending_temporary.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace trimvox {

namespace {

constexpr int kSlots = 16;

// Each slot holds an absolute path; `used` is set only once the path is complete, and cleared before the
// path is changed, so the handler never reads a half-written name.
struct Slot {
    std::atomic<bool> used{false};
    char path[PATH_MAX] = {};
};

Slot g_slots[kSlots];
std::mutex g_mutex; // guards claiming slots and installing the handlers (never taken in the handler)
bool g_installed = false;

void RemoveAndEnd(int signal) {
    for (Slot& slot : g_slots) {
        if (slot.used.load(std::memory_order_acquire)) {
            ::unlink(slot.path);
        }
    }
    // End by the same signal, as the default action would have.
    std::signal(signal, SIG_DFL);
    ::raise(signal);
}

void InstallHandlers() {
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL ||
            (current.sa_flags & SA_SIGINFO) != 0) {
            continue;
        }
        struct sigaction action {};
        action.sa_handler = RemoveAndEnd;
        sigemptyset(&action.sa_mask);
        sigaddset(&action.sa_mask, SIGINT);
        sigaddset(&action.sa_mask, SIGTERM);
        ::sigaction(signal, &action, nullptr);
    }
}

} // namespace

PendingTemporary::PendingTemporary(const std::filesystem::path& path) {
    std::error_code error;
    const std::string absolute = std::filesystem::absolute(path, error).string();
    if (error || absolute.size() >= PATH_MAX) {
        return;
    }
    const std::lock_guard lock(g_mutex);
    if (!g_installed) {
        InstallHandlers();
        g_installed = true;
    }
    for (int i = 0; i < kSlots; ++i) {
        if (!g_slots[i].used.load(std::memory_order_relaxed)) {
            std::memcpy(g_slots[i].path, absolute.c_str(), absolute.size() + 1);
            g_slots[i].used.store(true, std::memory_order_release);
            slot_ = i;
            return;
        }
    }
}

PendingTemporary::~PendingTemporary() {
    if (slot_ >= 0) {
        const std::lock_guard lock(g_mutex);
        g_slots[slot_].used.store(false, std::memory_order_release);
    }
}

} // namespace trimvox
