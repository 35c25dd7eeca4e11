// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

namespace trimvox {

// Refuses a second running instance: a lock held by the running process in the user's runtime folder
// (outside the data folder, so a refused start touches nothing there). A lock left by a process that
// died is taken over.
class SingleInstance {
public:
    SingleInstance();
    // True when this process now holds the lock, false when another instance runs.
    bool TryAcquire();
    // Where the running instance listens for files handed over by later starts, beside the lock.
    QString HandOverSocketPath() const { return folder_ + QStringLiteral("/trimvox.socket"); }

private:
    QString folder_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace trimvox
