// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

// ToolbarHighlight (9): a soft idle face, a flat blue highlight when hot or pressed.
void PaintToolbarHighlight(PaintContext& pc, ButtonState state) {
    const int W = pc.W;
    const int H = pc.H;
    auto idle = [&] { GradDown(pc, 0, 0, W, H, Mix(S(pc.base, 0.26f), Hex(0xFFFFFF)), pc.base); };
    if (!pc.m.mEnabled)
        idle();
    if (pc.Checked()) {
        FillFace(pc, Hex(0xE1E6E8));
        Frame(pc, 0, 0, W, H, S(Hex(0x4B4B6F), 0.05f));
        if (state == ButtonState::Hot) {
            FillFace(pc, Hex(0x98B5E2));
            Frame(pc, 0, 0, W, H, Hex(0x316AC5));
        }
        return;
    }
    switch (state) {
    case ButtonState::Normal:
        idle();
        break;
    case ButtonState::Hot:
        FillFace(pc, Hex(0xC1D2EE));
        Frame(pc, 0, 0, W, H, Hex(0x316AC5));
        break;
    case ButtonState::Pressed:
        FillFace(pc, Hex(0x98B5E2));
        Frame(pc, 0, 0, W, H, Hex(0x4B4B6F));
        break;
    }
}

} // namespace trimvox::mxbutton
