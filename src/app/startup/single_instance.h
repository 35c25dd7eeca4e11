// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace trimvox {

// Refuses a second running instance: a lock held by the running process in the user's private runtime
// folder (outside the data folder, so a refused start touches nothing there; see private_runtime_folder.h).
// The lock goes with the process that holds it, so one left by a process that died is no lock. Without a
// private folder there is no lock: every start runs, none hands files over.
class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock or runs without one, false when another instance runs.
    bool TryAcquire();
    // True when this process holds the lock: it may listen for files handed over.
    bool HoldsLock() const { return lock_ >= 0; }
    // Where the running instance listens for files handed over by later starts, beside the lock (bytes);
    // empty when there is no private folder (it is checked again for each call).
    std::string HandOverSocketPath() const;

private:
    std::string folder_;
    int lock_ = -1; // the locked file, while held
};

} // namespace trimvox
