// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>

namespace trimvox {

// A named temporary file that SIGINT or SIGTERM removes before the program ends by that signal, so that an
// interrupted write leaves nothing behind. Registered for the object's lifetime; the handlers are set up
// on the first registration, and only for a signal whose action is still the default (an ignored signal
// stays ignored). Registration never fails the write: when no place is free, the file is merely not
// removed on a signal.
class PendingTemporary {
public:
    explicit PendingTemporary(const std::filesystem::path& path);
    ~PendingTemporary();
    PendingTemporary(const PendingTemporary&) = delete;
    PendingTemporary& operator=(const PendingTemporary&) = delete;

private:
    int slot_ = -1;
};

} // namespace trimvox
