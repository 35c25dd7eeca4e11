// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <deque>
#include <string>
#include <sys/types.h>

class QLocalSocket;
class QSocketNotifier;

namespace trimvox {

// Handing a file to the running program: a later start that finds the program running sends the path of
// the file it was given (hand_over_message.h) over a local socket beside the single-instance lock; the
// running program reports it and confirms. Socket paths are bytes.

// The running program's end. Each path handed over is reported once, then confirmed to the sender. It
// stands up to many or slow senders: at most kMaxClients connections are kept (a new one pushes out the
// oldest), each for at most kClientTimeLimitMs, and a message longer than a path ends its connection. When
// it cannot take a connection (no file descriptors left) it tries again shortly and keeps listening. Its
// socket is removed only when the server is destroyed.
class HandOverServer : public QObject {
    Q_OBJECT

public:
    static constexpr std::size_t kMaxClients = 64;
    static constexpr int kClientTimeLimitMs = 3000;

    explicit HandOverServer(QObject* parent = nullptr);
    ~HandOverServer() override;

    // Listens at `socketPath` (a socket left there by a program that is gone is replaced; only the user may
    // connect). False when it cannot listen: later starts then cannot hand files over.
    bool Listen(const std::string& socketPath);

    // The connections kept now.
    std::size_t clientCount() const { return clients_.size(); }

signals:
    void FileHandedOver(const QString& path);

private:
    void Accept();
    void Take(int fd);
    void Forget(QLocalSocket* socket);

    int listener_ = -1;
    std::string socketPath_;
    dev_t socketDevice_ = 0;
    ino_t socketInode_ = 0;
    QSocketNotifier* notifier_ = nullptr;
    QTimer retry_;
    std::deque<QLocalSocket*> clients_; // oldest first
};

// The later start's end: connects to the program at `socketPath` (trying again while it is still starting,
// or is busy, for up to `connectMs`), sends `path` and waits for the confirmation; a connection closed
// without one is tried again while time is left, all within `totalMs`. True when the running program
// confirmed that it has the path.
bool HandOverFile(const std::string& socketPath, const QString& path, int connectMs = 5000,
                  int totalMs = 15000);

} // namespace trimvox
