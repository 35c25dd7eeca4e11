// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/mp3_drop.h"

#include <QApplication>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QWidget>

namespace trimvox {

std::optional<QString> DroppedMp3File(const QList<QUrl>& urls) {
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return std::nullopt;
    }
    const QFileInfo file(urls.front().toLocalFile());
    if (!file.isFile() || file.suffix().compare(QStringLiteral("mp3"), Qt::CaseInsensitive) != 0) {
        return std::nullopt;
    }
    return file.absoluteFilePath();
}

Mp3DropFilter::Mp3DropFilter(QObject* parent, std::function<void(const QString&)> open)
    : QObject(parent), open_(std::move(open)) {}

bool Mp3DropFilter::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return QObject::eventFilter(watched, event);
    }
    auto* drop = static_cast<QDropEvent*>(event);
    QWidget* modal = QApplication::activeModalWidget();
    const auto file = (modal == nullptr || modal == watched) && drop->mimeData() != nullptr
                          ? DroppedMp3File(drop->mimeData()->urls())
                          : std::nullopt;
    // Taken as a copy, never a move: the source must not delete the file once it is dropped.
    const Qt::DropAction action = (drop->possibleActions() & Qt::CopyAction) != 0   ? Qt::CopyAction
                                  : (drop->possibleActions() & Qt::LinkAction) != 0 ? Qt::LinkAction
                                                                                    : Qt::IgnoreAction;
    if (!file || action == Qt::IgnoreAction) {
        drop->ignore();
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
