// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace trimvox {

// A label that raises Click when the left mouse button is released over it, as a label of a window
// design does.
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressed_ = false;
};

} // namespace trimvox
