// SPDX-License-Identifier: GPL-3.0-or-later
// The main window takes a file handed over by a later start of the program.
#include "app/main_window/form1.h"

#include <QApplication>
#include <QTimer>
#include <utility>

namespace trimvox {

namespace {
constexpr int kModalRecheckMs = 200;
} // namespace

void Form1::OpenHandedOverFile(const QString& path) {
    const bool waiting = !pendingHandOver_.isEmpty();
    pendingHandOver_ = path;
    if (!waiting) {
        OpenPendingHandOver();
    }
}

void Form1::OpenPendingHandOver() {
    // The preview command or a modal window (the preview, a message) keeps the file waiting: opening now
    // would pull the file that the preview was cut from away under it.
    if (previewRunning_ || QApplication::activeModalWidget() != nullptr) {
        QTimer::singleShot(kModalRecheckMs, this, &Form1::OpenPendingHandOver);
        return;
    }
    OpenChosenFile(std::exchange(pendingHandOver_, QString()));
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
}

} // namespace trimvox
