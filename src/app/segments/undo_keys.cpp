// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/segments/undo_keys.h"

#include <QKeyEvent>

namespace trimvox {

namespace {
// X11 key codes (evdev + 8), the same under Wayland: the keys in the places of the US layout's Z and Y.
constexpr quint32 kPlaceOfZ = 52;
constexpr quint32 kPlaceOfY = 29;
} // namespace

UndoKey UndoKeyOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers mods =
        event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!(mods & Qt::ControlModifier) || (mods & (Qt::AltModifier | Qt::MetaModifier))) {
        return UndoKey::None;
    }
    const bool shift = mods & Qt::ShiftModifier;
    int key = event.key();
    if (key < Qt::Key_A || key > Qt::Key_Z) {
        key = event.nativeScanCode() == kPlaceOfZ   ? Qt::Key_Z
              : event.nativeScanCode() == kPlaceOfY ? Qt::Key_Y
                                                    : 0;
    }
    if (key == Qt::Key_Z) {
        return shift ? UndoKey::Redo : UndoKey::Undo;
    }
    if (key == Qt::Key_Y && !shift) {
        return UndoKey::Redo;
    }
    return UndoKey::None;
}

} // namespace trimvox
