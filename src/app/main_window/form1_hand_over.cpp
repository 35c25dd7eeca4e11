// SPDX-License-Identifier: GPL-3.0-or-later
// The main window takes a file handed over by a later start of the program.
#include "app/main_window/form1.h"

#include "common/path_text.h"
#include "controls/player/media_player.h"

#include <QApplication>
#include <QTimer>
#include <filesystem>
#include <utility>

namespace trimvox {

namespace {

constexpr int kModalRecheckMs = 200;

bool SameFile(const QString& a, const QString& b) {
    if (a.isEmpty() || b.isEmpty()) {
        return false;
    }
    if (a == b) {
        return true;
    }
    std::error_code error;
    return std::filesystem::equivalent(PathBytes(a.toStdU16String()), PathBytes(b.toStdU16String()), error);
}

} // namespace

void Form1::OpenHandedOverFile(const QString& path) {
    const bool waiting = !pendingHandOver_.isEmpty();
    pendingHandOver_ = path;
    if (!waiting) {
        OpenPendingHandOver();
    }
}

void Form1::OpenPendingHandOver() {
    // The preview command or a modal window (the preview, the open or save dialog, a message) keeps the file
    // waiting: opening now would pull the file that the preview was cut from away under it and clear the
    // preview file that the save dialog is about to copy.
    if (previewRunning_ || QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(kModalRecheckMs, this, &Form1::OpenPendingHandOver);
        return;
    }
    const QString path = std::exchange(pendingHandOver_, QString());
    // The file already open is only brought to the front, its marks kept.
    const QString open = controls_.wmp != nullptr
                             ? controls_.wmp->currentMedia().getItemInfo(QStringLiteral("sourceURL"))
                             : QString();
    if (!SameFile(path, open)) {
        OpenChosenFile(path);
    }
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}

} // namespace trimvox
