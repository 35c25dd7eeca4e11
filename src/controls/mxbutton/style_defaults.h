// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/button_model.h"

#include <functional>

namespace trimvox::mxbutton {

// Translates an OLE colour (system colour references included) to RGB.
using ColorResolver = std::function<OleColor(OleColor)>;

// The face colour that a style sets, untranslated (system colours are translated when applied);
// false for a style outside 0 to 15.
bool StyleFaceColor(std::int32_t style, OleColor& face);

// Whether a style shows the focus rectangle by default: styles 0, 1, 5, 6 and 15.
bool StyleShowsFocusRect(std::int32_t style);

// Sets BackColor, ForeColor and ShowFocusRect from the style table. A style outside 0 to 15 keeps the
// face colour, takes the system button text as caption colour and hides the focus rectangle.
void ApplyStyleDefaults(ButtonModel& model, const ColorResolver& resolve);

} // namespace trimvox::mxbutton
