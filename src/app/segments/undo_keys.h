// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QKeyEvent;

namespace trimvox {

enum class UndoKey { None, Undo, Redo };

// Ctrl+Z is undo, Ctrl+Shift+Z and Ctrl+Y redo. The key is taken by its code where the layout gives a
// Latin letter (so Z and Y are where the layout puts them, as on a German keyboard); on a layout without
// Latin letters (Russian, Greek, ...) by the key's place, the X11/evdev key code of the US layout's Z and Y.
UndoKey UndoKeyOf(const QKeyEvent& event);

} // namespace trimvox
