// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/context_menu_watch.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace trimvox {

ContextMenuWatch::ContextMenuWatch(QWidget& window) : QObject(&window), window_(window) {
    qApp->installEventFilter(this);
}

bool ContextMenuWatch::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseButtonRelease || pending_ || !watched->isWidgetType()) {
        return false;
    }
    const auto* release = static_cast<QMouseEvent*>(event);
    auto* widget = static_cast<QWidget*>(watched);
    if (release->button() != Qt::RightButton || widget->window() != &window_ || !window_.isEnabled()) {
        return false;
    }
    pending_ = true;
    const QPoint globalPos = release->globalPosition().toPoint();
    QTimer::singleShot(0, this, [this, globalPos] {
        pending_ = false;
        emit requested(globalPos);
    });
    return false;
}

} // namespace trimvox
