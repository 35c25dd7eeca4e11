// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>

namespace trimvox {

// The MP3 file in what was dragged: exactly one local, existing regular file whose name ends in ".mp3"
// (any case). Nothing for anything else (several files, a folder, a web address, another kind of file).
std::optional<QString> DroppedMp3File(const QList<QUrl>& urls);

// Lets a window take an MP3 file dropped on it: drags that carry one are accepted, everything else is
// refused, also while another window is modal. A drop is taken as a copy (or a link), never as a move.
// Install it on the window, which must accept drops.
class Mp3DropFilter : public QObject {
public:
    Mp3DropFilter(QObject* parent, std::function<void(const QString&)> open);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> open_;
};

} // namespace trimvox
