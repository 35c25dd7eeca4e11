// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QWidget>

namespace trimvox::test {

// Makes `window` the active window at once, as a click on another window would (the platform's activation
// through QWidget::activateWindow() arrives later, and the offscreen platform may not deliver it). Qt 6.5
// deprecates the call for programs; a test that simulates the switch still needs it.
inline void MakeActiveWindow(QWidget* window) {
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(window);
    QT_WARNING_POP
}

} // namespace trimvox::test
