// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>

#include <optional>

namespace trimvox::mxbutton {

// The resource identifier of the system hand cursor.
inline constexpr int kHandCursorId = 32649;

// Loads a system cursor by its resource identifier; none for an identifier that the platform lacks.
std::optional<QCursor> LoadSystemCursor(int resourceId);

} // namespace trimvox::mxbutton
