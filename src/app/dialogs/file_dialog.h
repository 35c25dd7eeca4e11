// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace trimvox::modpath {

// Shows the open dialog (saveFlag 0) or the save dialog (non-zero) and returns the full path chosen, or an
// empty text when the user cancelled or the initial name was too long (more than 260 characters: the
// message "Filename Length Overflow" says so). Given an `owner`, the dialog belongs to that window and is
// modal to it; without one it has no owner and the other windows stay usable. Either way the caller waits
// until it closes. A dialog that closes within 20 ms is shown once more with an empty name.
// The path returned keeps the bytes of names that are not UTF-8 (see chosen_path.h).
// A save dialog asks before it lets the user choose an existing file. `target` gives the path that the
// caller will write for a chosen path (for example with an extension added): the question is asked about
// that path, once; No leaves the dialog open with the typed name. Without it, the chosen path is asked about.
QString FileDialog(std::int16_t saveFlag, const QString& title, const QString& filter,
                   const QString& initialName, const QString& defaultExtension, const QString& initialFolder,
                   const std::function<QString(const QString&)>& target = {}, QWidget* owner = nullptr);

// The captions of the dialogs' own questions.
QString CreatePromptText(const QString& path);
QString OverwritePromptText(const QString& path);

} // namespace trimvox::modpath
