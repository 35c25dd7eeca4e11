#pragma once

#include <QLockFile>
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

private:
    std::unique_ptr<QLockFile> lock_;
};

} // namespace trimvox
