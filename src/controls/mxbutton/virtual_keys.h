// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <Qt>

#include <cstdint>

namespace trimvox::mxbutton {

// The virtual-key code of a Qt key (13 Enter, 27 Escape, 32 Space, 37 to 40 the arrows, 65 to 90 the
// letters, ...); 0 for a key without one.
std::int16_t VirtualKeyFromQt(int key);

// The shift mask of keyboard modifiers: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftMask(Qt::KeyboardModifiers modifiers);

// The button mask of mouse buttons: 1 left, 2 right, 4 middle.
std::int16_t ButtonMask(Qt::MouseButtons buttons);

} // namespace trimvox::mxbutton
