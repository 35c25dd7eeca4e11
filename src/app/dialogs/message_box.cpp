// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/message_box.h"

namespace trimvox {

void ShowMessage(const QString& text, const QString& title, QMessageBox::Icon icon, QWidget* parent) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace trimvox
