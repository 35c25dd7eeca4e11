// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// The folder for the single-instance lock and the hand-over socket: one that only this user can reach, so
// that no other local user can take the lock, listen in the program's place or receive the paths handed
// over. Paths here are bytes.
namespace trimvox {

// True when `folder` is a folder (not a link to one) owned by this process's user, with no access for the
// group or others.
bool IsPrivateFolder(const std::string& folder);

// $XDG_RUNTIME_DIR when it is private; otherwise "trimvox-<uid>" in the temporary folder ($TMPDIR, else
// /tmp), created with mode 0700 when missing and used only when it is private; otherwise empty: the program
// then runs without a lock and without hand-over.
std::string PrivateRuntimeFolder();

} // namespace trimvox
