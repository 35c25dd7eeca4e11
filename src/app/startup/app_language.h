// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trimvox {

// The program speaks Simplified Chinese whatever the system's language: Qt's own texts (the file dialogs'
// buttons and questions, standard buttons) come from Qt's Chinese translations when they are installed.
// Returns whether they were found.
bool InstallChineseTranslations();

} // namespace trimvox
