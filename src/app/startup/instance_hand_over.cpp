// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/instance_hand_over.h"

#include <QDataStream>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QThread>

namespace trimvox {

namespace {

constexpr char kConfirmation = '1';
constexpr qint64 kMaxMessageBytes = 1 << 20; // a path is far shorter; anything longer is not ours
constexpr int kConnectRetryMs = 50;
constexpr auto kStreamVersion = QDataStream::Qt_6_0; // fixed, so that programs of other builds understand it

} // namespace

HandOverServer::HandOverServer(QObject* parent) : QObject(parent) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &HandOverServer::Accept);
}

bool HandOverServer::Listen(const QString& socketPath) {
    // The caller holds the single-instance lock, so a socket at the path belongs to a program that is gone.
    QLocalServer::removeServer(socketPath);
    return server_.listen(socketPath);
}

void HandOverServer::Accept() {
    while (QLocalSocket* socket = server_.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        const auto read = [this, socket] {
            if (socket->bytesAvailable() > kMaxMessageBytes) {
                socket->abort();
                return;
            }
            QDataStream in(socket);
            in.setVersion(kStreamVersion);
            in.startTransaction();
            QString path;
            in >> path;
            if (!in.commitTransaction()) {
                if (in.status() != QDataStream::ReadPastEnd) {
                    socket->abort(); // not a path
                }
                return; // otherwise not all of it has arrived yet
            }
            socket->write(&kConfirmation, 1);
            socket->flush();
            socket->disconnectFromServer();
            if (!path.isEmpty()) {
                emit FileHandedOver(path);
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, read);
        if (socket->bytesAvailable() > 0) {
            read();
        }
    }
}

bool HandOverFile(const QString& socketPath, const QString& path, int connectMs, int replyMs) {
    QLocalSocket socket;
    const QDeadlineTimer connectDeadline(connectMs);
    for (;;) {
        socket.connectToServer(socketPath);
        if (socket.waitForConnected(static_cast<int>(connectDeadline.remainingTime()))) {
            break;
        }
        if (connectDeadline.hasExpired()) {
            return false;
        }
        QThread::msleep(kConnectRetryMs);
    }
    QDataStream out(&socket);
    out.setVersion(kStreamVersion);
    out << path;
    socket.flush();
    const QDeadlineTimer replyDeadline(replyMs);
    while (socket.bytesAvailable() < 1) {
        if (replyDeadline.hasExpired() ||
            !socket.waitForReadyRead(static_cast<int>(replyDeadline.remainingTime()))) {
            return false;
        }
    }
    char reply = 0;
    return socket.read(&reply, 1) == 1 && reply == kConfirmation;
}

} // namespace trimvox
