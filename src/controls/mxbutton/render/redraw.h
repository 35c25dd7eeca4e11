// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/button_model.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/system_colors.h"
#include "platform/gdi/text.h"

#include <functional>

namespace trimvox::mxbutton {

// What a repaint needs from around the button.
struct RedrawContext {
    // Measures and draws the caption; null measures every caption as 0 x 0 and draws none.
    const gdi::TextRenderer* text = nullptr;
    // The container's ambient BackColor (an OLE colour). DropShadow and FlatRounded copy it to the
    // surface's background colour; containerBackColorKnown false means the container could not tell.
    OleColor containerBackColor = gdi::kSysButtonFace;
    bool containerBackColorKnown = true;
    // The host's UserMode: true at run time.
    bool userMode = true;
    // BuildWindowRegion of the control; the painters call it in their normal look. May be empty.
    std::function<void()> buildWindowRegion;
};

// The one repaint: clears the surface to its background colour, refreshes mWidth, mHeight and
// ButtonRect from the surface size, forces a checked button to Pressed, lets the style's painter draw the
// face, then lays out and draws the picture and the caption with the surface's font.
// Writes mWidth, mHeight, ButtonRect, mPictureWidth, mPictureHeight, CaptionFocusRect, mButtonState (checked
// buttons), mForeColor (FlatRounded) and the surface's background colour (DropShadow, FlatRounded,
// RoundedPixelArt).
void Redraw(ButtonModel& m, gdi::Surface& s, const RedrawContext& ctx);

} // namespace trimvox::mxbutton
