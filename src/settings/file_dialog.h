#pragma once

#include <QString>
#include <cstdint>

namespace trimvox::modpath {

// Shows the open dialog (saveFlag 0) or the save dialog (non-zero) and returns the full path chosen, or an
// empty text when the user cancelled or the initial name was too long (more than 260 characters: the
// message "Filename Length Overflow" says so). The dialog has no owner window: the caller waits until it
// closes while the other windows stay usable. A dialog that closes within 20 ms is shown once more with
// an empty name.
QString FileDialog(std::int16_t saveFlag, const QString& title, const QString& filter,
                   const QString& initialName, const QString& defaultExtension, const QString& initialFolder);

// The captions of the dialogs' own questions.
QString CreatePromptText(const QString& path);

} // namespace trimvox::modpath
