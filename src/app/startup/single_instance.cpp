// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/single_instance.h"

#include <QDir>
#include <QStandardPaths>

namespace trimvox {

SingleInstance::SingleInstance() {
    folder_ = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder_.isEmpty()) {
        folder_ = QDir::tempPath();
    }
    lock_ = std::make_unique<QLockFile>(folder_ + QStringLiteral("/trimvox.lock"));
    lock_->setStaleLockTime(0); // only a lock whose process is gone is stale
}

bool SingleInstance::TryAcquire() {
    return lock_->isLocked() || lock_->tryLock(0);
}

} // namespace trimvox
