// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace trimvox {

// Watches a window for the right mouse button released anywhere on it, its child controls included,
// and asks for its context menu then. The release itself still reaches the control under the mouse
// first, which handles it as it always does (a command button raises MouseUp, no Click).
class ContextMenuWatch : public QObject {
    Q_OBJECT

public:
    explicit ContextMenuWatch(QWidget& window);

signals:
    // After the release has been handled: the mouse's position on the screen.
    void requested(const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    bool pending_ = false; // a request is on its way (a release travels up through the parents)
};

} // namespace trimvox
