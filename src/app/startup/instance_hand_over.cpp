// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/instance_hand_over.h"

#include "app/startup/hand_over_message.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace trimvox {

namespace {

constexpr char kConfirmation = '1';
constexpr int kRetryMs = 50;
constexpr int kAcceptRetryMs = 100;

bool SocketAddress(const std::string& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.empty() || path.size() >= sizeof(address.sun_path)) {
        return false;
    }
    std::memcpy(address.sun_path, path.data(), path.size());
    return true;
}

int RemainingMs(const QDeadlineTimer& deadline) {
    return static_cast<int>(std::max<qint64>(0, deadline.remainingTime()));
}

// One try: connect, send, wait for the reply. 1 confirmed, 0 refused or closed (try again), -1 no server.
int TryHandOver(const sockaddr_un& address, const QByteArray& message, const QDeadlineTimer& deadline) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return -1;
    }
    int result = 0;
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0) {
        // No program listening, or one too busy to take us yet (its queue is full).
        result = -1;
    } else {
        qsizetype sent = 0;
        while (sent < message.size()) {
            pollfd wait{fd, POLLOUT, 0};
            if (::poll(&wait, 1, RemainingMs(deadline)) <= 0) {
                break;
            }
            const ssize_t n = ::send(fd, message.constData() + sent,
                                     static_cast<std::size_t>(message.size() - sent), MSG_NOSIGNAL);
            if (n < 0 && errno != EAGAIN && errno != EINTR) {
                break;
            }
            sent += std::max<ssize_t>(n, 0);
        }
        while (sent == message.size()) {
            pollfd wait{fd, POLLIN, 0};
            if (::poll(&wait, 1, RemainingMs(deadline)) <= 0) {
                break;
            }
            char reply = 0;
            const ssize_t n = ::recv(fd, &reply, 1, 0);
            if (n == 1) {
                result = reply == kConfirmation ? 1 : 0;
                break;
            }
            if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                break;
            }
        }
    }
    ::close(fd);
    return result;
}

} // namespace

HandOverServer::HandOverServer(QObject* parent) : QObject(parent) {
    retry_.setSingleShot(true);
    retry_.setInterval(kAcceptRetryMs);
    connect(&retry_, &QTimer::timeout, this, [this] {
        notifier_->setEnabled(true);
        Accept();
    });
}

HandOverServer::~HandOverServer() {
    for (QLocalSocket* socket : clients_) {
        socket->disconnect(this);
        socket->abort();
        delete socket;
    }
    if (listener_ < 0) {
        return;
    }
    delete notifier_;
    ::close(listener_);
    // Only our own socket: another program may have taken the path since (it cannot while we hold the lock).
    struct stat status {};
    if (::lstat(socketPath_.c_str(), &status) == 0 && status.st_dev == socketDevice_ &&
        status.st_ino == socketInode_) {
        ::unlink(socketPath_.c_str());
    }
}

bool HandOverServer::Listen(const std::string& socketPath) {
    sockaddr_un address{};
    if (listener_ >= 0 || !SocketAddress(socketPath, address)) {
        return false;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        return false;
    }
    // The caller holds the single-instance lock, so a socket at the path belongs to a program that is gone.
    ::unlink(socketPath.c_str());
    const mode_t oldMask = ::umask(0077); // only the user may connect
    const bool bound = ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0;
    ::umask(oldMask);
    struct stat status {};
    if (!bound || ::listen(fd, SOMAXCONN) != 0 || ::lstat(socketPath.c_str(), &status) != 0) {
        ::close(fd);
        return false;
    }
    listener_ = fd;
    socketPath_ = socketPath;
    socketDevice_ = status.st_dev;
    socketInode_ = status.st_ino;
    notifier_ = new QSocketNotifier(static_cast<qintptr>(fd), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &HandOverServer::Accept);
    return true;
}

void HandOverServer::Accept() {
    for (;;) {
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0) {
            Take(fd);
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED) {
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            return;
        }
        // Out of file descriptors or memory: let the oldest connection go, or wait a moment, and go on
        // listening either way.
        if (!clients_.empty()) {
            Forget(clients_.front());
            continue;
        }
        notifier_->setEnabled(false);
        retry_.start();
        return;
    }
}

void HandOverServer::Take(int fd) {
    if (clients_.size() >= kMaxClients) {
        Forget(clients_.front());
    }
    auto* socket = new QLocalSocket(this);
    if (!socket->setSocketDescriptor(static_cast<qintptr>(fd))) {
        ::close(fd);
        delete socket;
        return;
    }
    clients_.push_back(socket);
    auto received = std::make_shared<QByteArray>();
    QTimer::singleShot(kClientTimeLimitMs, socket, [this, socket] { Forget(socket); });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] { Forget(socket); });
    const auto read = [this, socket, received] {
        received->append(socket->read(kMaxHandOverMessageBytes + 1 - received->size()));
        const HandOverMessage message = ParseHandOverMessage(*received);
        if (message.state == HandOverMessage::State::Incomplete) {
            return;
        }
        if (message.state == HandOverMessage::State::Complete) {
            socket->write(&kConfirmation, 1);
            socket->flush();
        }
        Forget(socket);
        if (message.state == HandOverMessage::State::Complete && !message.path.isEmpty()) {
            emit FileHandedOver(message.path);
        }
    };
    connect(socket, &QLocalSocket::readyRead, this, read);
    if (socket->bytesAvailable() > 0) {
        read();
    }
}

void HandOverServer::Forget(QLocalSocket* socket) {
    const auto it = std::find(clients_.begin(), clients_.end(), socket);
    if (it == clients_.end()) {
        return;
    }
    clients_.erase(it);
    socket->disconnect(this);
    // What was written (the confirmation) still goes out: the socket is closed once it has been sent.
    if (socket->bytesToWrite() > 0) {
        socket->flush();
    }
    socket->abort();
    socket->deleteLater();
}

bool HandOverFile(const std::string& socketPath, const QString& path, int connectMs, int totalMs) {
    sockaddr_un address{};
    if (!SocketAddress(socketPath, address)) {
        return false;
    }
    const QByteArray message = HandOverMessageBytes(path);
    const QDeadlineTimer connectDeadline(connectMs);
    const QDeadlineTimer deadline(totalMs);
    for (;;) {
        const int result = TryHandOver(address, message, deadline);
        if (result == 1) {
            return true;
        }
        if (deadline.hasExpired() || (result < 0 && connectDeadline.hasExpired())) {
            return false;
        }
        QThread::msleep(kRetryMs);
    }
}

} // namespace trimvox
