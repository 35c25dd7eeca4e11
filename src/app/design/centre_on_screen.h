// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class QScreen;
class QWidget;

namespace trimvox {

// Where a window's client area goes so that the whole window, the frame that the window manager puts
// around it included, stands in the middle of `screen`.
QPoint CentredClientPosition(const QRect& screen, const QSize& client, const QMargins& frame);

// Moves a window so that it, frame included, stands in the middle of `screen` (the primary screen when none
// is given). Until the window manager has framed it, the frame of another shown window of the program
// stands in for its own; once its own frame is known, the window is centred again by it whenever it does not
// stand there (a guessed frame that was wrong, a window manager that moved it as it mapped it), until it
// has stayed in place for a moment.
void CentreOnScreen(QWidget& window, const QScreen* screen);

} // namespace trimvox
