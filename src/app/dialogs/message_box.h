// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

namespace trimvox {

// The program's title, used by message boxes that do not name their own.
inline const QString kAppTitle = QStringLiteral("Trimvox");

// A modal message box with one OK button; returns when the user closes it.
void ShowMessage(const QString& text, const QString& title = kAppTitle,
                 QMessageBox::Icon icon = QMessageBox::NoIcon, QWidget* parent = nullptr);

} // namespace trimvox
