// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/centre_on_screen.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <memory>

namespace trimvox {

namespace {

// How often and how long a shown window is watched for the frame that its window manager gives it.
constexpr int kFrameCheckMs = 20;
constexpr int kFrameWaitMs = 5000;

// The frame around a window's client area; none while the window manager has not framed it (or there is
// no window manager).
QMargins FrameOf(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    if (handle == nullptr || handle->handle() == nullptr) {
        return {};
    }
    const QMargins frame = handle->frameMargins();
    if (frame.left() < 0 || frame.top() < 0 || frame.right() < 0 || frame.bottom() < 0) {
        return {};
    }
    return frame;
}

// The window's own frame when it is known, else that of another shown window of the program.
QMargins LikelyFrameOf(const QWidget& window) {
    const QMargins own = FrameOf(window);
    if (!own.isNull()) {
        return own;
    }
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other != &window && other->isVisible()) {
            const QMargins frame = FrameOf(*other);
            if (!frame.isNull()) {
                return frame;
            }
        }
    }
    return {};
}

void PlaceCentred(QWidget& window, const QRect& area, const QMargins& frame) {
    window.setGeometry(QRect(CentredClientPosition(area, window.size(), frame), window.size()));
}

// Watches a window until its window manager has framed it and it has stood where it belongs for a few
// checks in a row, and centres it again by its real frame whenever it stands elsewhere: placed by a guessed
// frame that was wrong, or moved by the window manager as it mapped the window (it may take the position
// asked for the client as that of the frame). Ends with the window, or after a while.
void RecentreWhenFramed(QWidget& window, const QRect& area) {
    constexpr int kChecksInPlace = 5;
    auto* timer = new QTimer(&window);
    timer->setInterval(kFrameCheckMs);
    const QPointer<QWidget> target(&window);
    auto waited = std::make_shared<int>(0);
    auto inPlace = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, target, area, waited, inPlace] {
        *waited += kFrameCheckMs;
        if (target.isNull() || *waited > kFrameWaitMs) {
            timer->deleteLater();
            return;
        }
        if (!target->isVisible()) {
            return;
        }
        const QMargins frame = FrameOf(*target);
        if (frame.isNull()) {
            return;
        }
        const QPoint wanted = CentredClientPosition(area, target->size(), frame);
        if (target->windowHandle()->geometry().topLeft() == wanted) {
            if (++*inPlace >= kChecksInPlace) {
                timer->deleteLater();
            }
            return;
        }
        *inPlace = 0;
        PlaceCentred(*target, area, frame);
    });
    timer->start();
}

} // namespace

QPoint CentredClientPosition(const QRect& screen, const QSize& client, const QMargins& frame) {
    const QSize whole = client.grownBy(frame);
    return QPoint(screen.x() + (screen.width() - whole.width()) / 2 + frame.left(),
                  screen.y() + (screen.height() - whole.height()) / 2 + frame.top());
}

void CentreOnScreen(QWidget& window, const QScreen* screen) {
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    PlaceCentred(window, area, LikelyFrameOf(window));
    RecentreWhenFramed(window, area);
}

} // namespace trimvox
