// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/hand_cursor.h"

namespace trimvox::mxbutton {

std::optional<QCursor> LoadSystemCursor(int resourceId) {
    switch (resourceId) {
    case 32512:
        return QCursor(Qt::ArrowCursor);
    case 32513:
        return QCursor(Qt::IBeamCursor);
    case 32514:
        return QCursor(Qt::WaitCursor);
    case 32515:
        return QCursor(Qt::CrossCursor);
    case kHandCursorId:
        return QCursor(Qt::PointingHandCursor);
    default:
        return std::nullopt;
    }
}

} // namespace trimvox::mxbutton
