// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace trimvox {

// Handing a file to the running program: a later start that finds the program running sends the path of
// the file it was given over a local socket beside the single-instance lock; the running program reports
// it and confirms.

// The running program's end. Each path handed over is reported once, then confirmed to the sender.
class HandOverServer : public QObject {
    Q_OBJECT

public:
    explicit HandOverServer(QObject* parent = nullptr);
    // Listens at `socketPath` (a socket left there by a program that is gone is replaced; only the user
    // may connect). False when it cannot listen: later starts then cannot hand files over.
    bool Listen(const QString& socketPath);

signals:
    void FileHandedOver(const QString& path);

private:
    void Accept();

    QLocalServer server_;
};

// The later start's end: connects to the program at `socketPath` (trying again while it is still starting,
// for up to `connectMs`), sends `path` and waits up to `replyMs` for the confirmation. True when the running
// program confirmed that it has the path.
bool HandOverFile(const QString& socketPath, const QString& path, int connectMs = 3000, int replyMs = 10000);

} // namespace trimvox
