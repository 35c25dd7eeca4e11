// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/button_model.h"
#include "controls/mxbutton/render/redraw.h"
#include "platform/gdi/color.h"
#include "platform/gdi/surface.h"

namespace trimvox::mxbutton {

// Everything a face painter works with during one repaint.
struct PaintContext {
    ButtonModel& m;
    gdi::Surface& s;
    const RedrawContext& env;
    int W = 0;              // mWidth
    int H = 0;              // mHeight
    gdi::ColorRef base = 0; // ResolveColor(mBackColor)

    // Check-box mode with Value set.
    bool Checked() const { return m.mCheckBoxMode && m.mValue; }
    bool FocusOrDefault() const { return m.mHasFocus || m.mIsDefault; }
    // BuildWindowRegion of the control.
    void Region() const {
        if (env.buildWindowRegion)
            env.buildWindowRegion();
    }
    // The surface's own background colour becomes the container's.
    void SurfaceBackFromContainer() const { s.SetBackColor(env.containerBackColor); }
};

// A face painter: draws the face of one style for the given state.
using FacePainter = void (*)(PaintContext& pc, ButtonState state);

} // namespace trimvox::mxbutton
