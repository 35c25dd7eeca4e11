// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

// HorizontalGradient (15): the face colour brightening from left to right.
void PaintHorizontalGradient(PaintContext& pc, ButtonState state) {
    const int W = pc.W;
    const int H = pc.H;
    const ColorRef base = pc.base;
    if (pc.Checked())
        state = ButtonState::Pressed;
    if (state == ButtonState::Pressed) {
        GradRight(pc, 0, 0, W, H, S(base, -0.05f), S(base, 0.03f));
    } else {
        if (state == ButtonState::Normal)
            pc.Region();
        GradRight(pc, 0, 0, W, H, base, S(base, 0.08f));
    }
    Frame(pc, 0, 0, W, H, Hex(0x7E807D));
    if (pc.FocusOrDefault() && pc.m.mShowFocusRect && pc.env.userMode && pc.m.mParentActive)
        FocusRect(pc, 3, 3, W - 3, H - 3);
}

} // namespace trimvox::mxbutton
