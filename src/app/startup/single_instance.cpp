// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/single_instance.h"

#include "app/startup/private_runtime_folder.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace trimvox {

SingleInstance::~SingleInstance() {
    if (lock_ >= 0) {
        ::close(lock_); // also lets go of the lock; the file stays for the next start
    }
}

bool SingleInstance::TryAcquire() {
    if (lock_ >= 0) {
        return true;
    }
    folder_ = PrivateRuntimeFolder();
    if (folder_.empty()) {
        return true; // no private folder: run, without hand-over
    }
    const std::string path = folder_ + "/trimvox.lock";
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        folder_.clear();
        return true;
    }
    // Without waiting (LOCK_NB) the call never sleeps, so a signal cannot interrupt it.
    const int result = ::flock(fd, LOCK_EX | LOCK_NB);
    if (result != 0) {
        const bool held = errno == EWOULDBLOCK;
        ::close(fd);
        if (!held) {
            folder_.clear(); // locks do not work there: run without hand-over
        }
        return !held;
    }
    lock_ = fd;
    return true;
}

std::string SingleInstance::HandOverSocketPath() const {
    if (folder_.empty() || !IsPrivateFolder(folder_)) {
        return {};
    }
    return folder_ + "/trimvox.socket";
}

} // namespace trimvox
