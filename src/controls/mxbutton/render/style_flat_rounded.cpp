// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

// FlatRounded (3): flat until hovered; the caption colour follows the state.
void PaintFlatRounded(PaintContext& pc, ButtonState state) {
    const int W = pc.W;
    const int H = pc.H;
    pc.SurfaceBackFromContainer();
    if (pc.Checked() && pc.m.mMouseDown)
        state = ButtonState::Pressed;

    if (pc.Checked() && state != ButtonState::Pressed) {
        FillFace(pc, Hex(0xFEFEFE));
        pc.m.mForeColor = gdi::kSysButtonText;
        Frame(pc, 0, 0, W, H, Hex(0x7A98AF));
        Corners(pc, S(Hex(0xA0B3C1), -0.2f));
        if (state == ButtonState::Hot) {
            Line(pc, W - 2, 2, W - 2, H - 2, Hex(0xF2F0ED));
            Line(pc, 2, H - 2, W - 2, H - 2, Hex(0xE4DED8));
            Line(pc, 1, H - 3, W - 1, H - 3, Hex(0xEFECE8));
            Line(pc, 1, H - 4, W - 1, H - 4, Hex(0xFAF9F8));
        }
        return;
    }

    const int half = RoundHalfEven(H / 2.0);
    switch (state) {
    case ButtonState::Normal:
        pc.Region();
        FillFace(pc, pc.base);
        break;
    case ButtonState::Hot:
        GradDown(pc, 0, 0, W, half, Hex(0xFEFEFD), Hex(0xF4F4EE));
        GradDown(pc, 0, half, W, half, Hex(0xF4F4EE), Hex(0xF1F1EA));
        Line(pc, W - 2, 2, W - 2, H - 2, Hex(0xEAE7E0));
        Line(pc, W - 3, 2, W - 3, H - 2, Hex(0xF0F0EA));
        Line(pc, 0, H - 4, W, H - 4, Hex(0xEEEDE5));
        Line(pc, 0, H - 3, W, H - 3, Hex(0xE4E1D6));
        Line(pc, 0, H - 2, W, H - 2, Hex(0xD7D2C6));
        Frame(pc, 0, 0, W, H, Hex(0xCECEC3));
        Corners(pc, S(Hex(0xD4D4C9), -0.05f));
        break;
    case ButtonState::Pressed:
        FillFace(pc, Hex(0xE5E4DD));
        Line(pc, 1, 1, W - 2, 1, S(Hex(0xDCDAD1), -0.02f));
        Line(pc, 1, 2, W - 2, 2, S(Hex(0xE3E1DA), -0.02f));
        Line(pc, 1, H - 3, W - 2, H - 3, S(Hex(0xE6E5DE), 0.02f));
        Line(pc, 1, H - 2, W - 2, H - 2, S(Hex(0xEBEAE5), 0.02f));
        Frame(pc, 0, 0, W, H, Hex(0x9D9D92));
        Corners(pc, S(Hex(0xB5B4AB), -0.2f));
        break;
    }
    pc.m.mForeColor = state == ButtonState::Pressed ? Hex(0xFFFFFF) : gdi::kSysButtonText;
}

} // namespace trimvox::mxbutton
