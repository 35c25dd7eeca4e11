// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>

// Qt's file dialogs name files by text, decoding each name as UTF-8 and putting U+FFFD for the bytes that are
// not: such a name cannot be opened by what the dialog gives back. These find the bytes again.
namespace trimvox::modpath {

// The path the user chose in a dialog, as a path text that keeps its bytes (common/path_text.h): each part
// that does not exist as written is matched against the names in its folder as Qt shows them; a part that
// matches exactly one name becomes that name's bytes. A part that matches none (a new name typed in the
// save dialog) stays as written.
QString ResolveChosenPath(const QString& chosen);

// True when the path text names something that exists.
bool PathTextExists(const QString& path);

// A path text as the user reads it (common/path_text.h DisplayName).
QString ShownPath(const QString& path);

// A folder (bytes) for a dialog to start in: the folder itself when its path is UTF-8, else its nearest
// parent whose path is; empty for none.
QString DialogFolder(const std::string& folder);

} // namespace trimvox::modpath
