// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <optional>
#include <string>

namespace trimvox {

// The bytes of the local file a URL names (file names on Linux are bytes; a name that is not UTF-8 comes
// percent-encoded and is kept as it is). Nothing for a URL that is not a local file.
std::optional<std::string> LocalFileBytes(const QUrl& url);

// The MP3 file in what was dragged: exactly one local, existing regular file whose name ends in ".mp3"
// (any case), as a path text that keeps its bytes (common/path_text.h). Nothing for anything else
// (several files, a folder, a web address, another kind of file).
std::optional<QString> DroppedMp3File(const QList<QUrl>& urls);

// What a drop of several local files is told: why nothing opened.
QString SeveralFilesDroppedText();

// Lets a window take an MP3 file dropped on it: drags that carry one are accepted, everything else is
// refused, also while another window is modal. A drop is taken as a copy (or a link), never as a move.
// A drag of several local files is let in, so that its drop can say (through `refuse`, after the drop has
// ended) why nothing opens. Install it on the window, which must accept drops.
class Mp3DropFilter : public QObject {
public:
    Mp3DropFilter(QObject* parent, std::function<void(const QString&)> open,
                  std::function<void(const QString&)> refuse = {});

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void(const QString&)> open_;
    std::function<void(const QString&)> refuse_;
};

} // namespace trimvox
