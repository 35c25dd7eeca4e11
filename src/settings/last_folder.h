// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The folder the open dialog starts in: the folder of the last file opened, kept in set.ini under
// [paths] lastfolder.
namespace trimvox::mymode {

// The stored folder, or an empty text when none is stored or it is no longer an existing folder.
std::string LoadLastFolder();

// Stores the folder that holds `file` (an absolute path). Nothing is stored for a path without a folder or
// a folder whose name holds a line break (it could not be read back as one line); the result says whether
// it was stored.
bool SaveLastFolder(const std::string& file);

} // namespace trimvox::mymode
