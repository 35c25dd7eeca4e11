// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/mp3_drop.h"

#include "common/path_text.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <sys/stat.h>

namespace trimvox {

namespace {

bool IsMp3Name(const std::string& bytes) {
    const std::string extension = std::filesystem::path(bytes).extension().string();
    if (extension.size() != 4 || extension[0] != '.') {
        return false;
    }
    const auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
    return lower(extension[1]) == 'm' && lower(extension[2]) == 'p' && extension[3] == '3';
}

// Several local files, none of which can be taken alone.
bool SeveralLocalFiles(const QList<QUrl>& urls) {
    if (urls.size() < 2) {
        return false;
    }
    for (const QUrl& url : urls) {
        if (!url.isLocalFile()) {
            return false;
        }
    }
    return true;
}

} // namespace

std::optional<std::string> LocalFileBytes(const QUrl& url) {
    if (!url.isLocalFile()) {
        return std::nullopt;
    }
    // Decoded by hand: QUrl decodes percent-encoded bytes as UTF-8 and loses those that are not.
    const QByteArray encoded = url.path(QUrl::FullyEncoded).toLatin1();
    return QByteArray::fromPercentEncoding(encoded).toStdString();
}

std::optional<QString> DroppedMp3File(const QList<QUrl>& urls) {
    if (urls.size() != 1) {
        return std::nullopt;
    }
    const auto bytes = LocalFileBytes(urls.front());
    struct stat status {};
    if (!bytes || bytes->empty() || !IsMp3Name(*bytes) || ::stat(bytes->c_str(), &status) != 0 ||
        !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(*bytes, error);
    if (error) {
        return std::nullopt;
    }
    return QString::fromStdU16String(PathText(absolute.lexically_normal().string()));
}

QString SeveralFilesDroppedText() {
    return QStringLiteral("一次只能打开一个文件。");
}

Mp3DropFilter::Mp3DropFilter(QObject* parent, std::function<void(const QString&)> open,
                             std::function<void(const QString&)> refuse)
    : QObject(parent), open_(std::move(open)), refuse_(std::move(refuse)) {}

bool Mp3DropFilter::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QObject::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);
    QWidget* modal = QApplication::activeModalWidget();
    const bool free = (modal == nullptr || modal == watched) && drop->mimeData() != nullptr;
    const auto file = free ? DroppedMp3File(drop->mimeData()->urls()) : std::nullopt;
    const bool several = free && refuse_ && SeveralLocalFiles(drop->mimeData()->urls());
    // Taken as a copy, never a move: the source must not delete the file once it is dropped.
    const Qt::DropAction action = (drop->possibleActions() & Qt::CopyAction) != 0   ? Qt::CopyAction
                                  : (drop->possibleActions() & Qt::LinkAction) != 0 ? Qt::LinkAction
                                                                                    : Qt::IgnoreAction;
    if ((!file && !several) || action == Qt::IgnoreAction) {
        drop->ignore();
        return true;
    }
    if (several) {
        if (type == QEvent::Drop) {
            drop->ignore();
            // After the drop has ended: the source is not kept waiting for the message to be closed.
            QTimer::singleShot(0, this, [this] { refuse_(SeveralFilesDroppedText()); });
        } else {
            drop->setDropAction(action);
            drop->accept();
        }
        return true;
    }
    drop->setDropAction(action);
    drop->accept();
    if (type == QEvent::Drop) {
        open_(*file);
    }
    return true;
}

} // namespace trimvox
