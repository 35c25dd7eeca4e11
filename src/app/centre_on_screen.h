#pragma once

class QScreen;
class QWidget;

namespace trimvox {

// Moves a window so that it stands in the middle of `screen` (the primary screen when none is given).
void CentreOnScreen(QWidget& window, const QScreen* screen);

} // namespace trimvox
