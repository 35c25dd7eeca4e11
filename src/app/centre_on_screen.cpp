#include "app/centre_on_screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace trimvox {

void CentreOnScreen(QWidget& window, const QScreen* screen) {
    if (screen == nullptr) {
        screen = QGuiApplication::primaryScreen();
    }
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    window.move(area.x() + (area.width() - window.frameGeometry().width()) / 2,
                area.y() + (area.height() - window.frameGeometry().height()) / 2);
}

} // namespace trimvox
