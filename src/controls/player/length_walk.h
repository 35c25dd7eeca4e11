// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>
#include <optional>

class QThread;

namespace trimvox {

// Walks the frames of a large file whose header does not count them (see WalkedDuration) on a thread of its
// own, and reports its true length when known. One walk at a time: a new start, or the end of this object,
// calls off the one before.
class LengthWalk : public QObject {
    Q_OBJECT

public:
    explicit LengthWalk(QObject* parent = nullptr);
    ~LengthWalk() override;

    void start(const QString& path);
    void stop();
    bool isRunning() const;

signals:
    // The length in seconds of the file of the last start.
    void walked(double seconds);

private:
    std::unique_ptr<QThread> thread_;
    std::atomic<bool> cancel_{false};
    std::optional<double> result_;
    quint64 generation_ = 0;
};

} // namespace trimvox
