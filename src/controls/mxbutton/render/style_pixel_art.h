// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/render/paint_context.h"

namespace trimvox::mxbutton {

// The face painter of RoundedPixelArt (style 14): three fixed pictures stretched to the button's size.
void PaintRoundedPixelArt(PaintContext& pc, ButtonState state);

} // namespace trimvox::mxbutton
