// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

namespace {

void Face(PaintContext& pc) {
    const int W = pc.W;
    const int H = pc.H;
    const int half = RoundHalfEven(H / 2.0);
    GradDown(pc, 0, 0, W, half, Hex(0xFFFFFF), pc.base);
    GradDown(pc, 0, half, W, H, pc.base, pc.base);
    Frame(pc, 1, 1, W - 2, H, Hex(0xFFFFFF)); // its bottom edge falls outside the surface
    Frame(pc, 0, 0, W, H, S(pc.base, -0.2f));
    Line(pc, 2, H - 1, W - 2, H - 1, S(pc.base, -0.25f));
}

} // namespace

// HalfGradient (6): white fading into the face colour over the upper half.
void PaintHalfGradient(PaintContext& pc, ButtonState state) {
    const int W = pc.W;
    const int H = pc.H;
    const ColorRef base = pc.base;
    if (!pc.m.mEnabled)
        state = ButtonState::Normal;
    switch (state) {
    case ButtonState::Normal:
        pc.Region();
        Face(pc);
        break;
    case ButtonState::Hot:
        Face(pc);
        break;
    case ButtonState::Pressed: {
        const int half = RoundHalfEven(H / 2.0);
        GradDown(pc, 0, 0, W, half, Hex(0xFFFFFF), S(base, -0.1f));
        GradDown(pc, 0, half, W, H, S(base, -0.1f), S(base, -0.05f));
        Frame(pc, 1, 1, W - 2, H, Hex(0xFFFFFF));
        Frame(pc, 0, 0, W, H, S(base, -0.23f));
        Corners(pc, S(base, -0.1f));
        Line(pc, 2, H - 1, W - 2, H - 1, S(base, -0.4f));
        break;
    }
    }
    Corners(pc, S(base, 0.05f));
    if (pc.m.mParentActive && pc.m.mShowFocusRect && pc.FocusOrDefault()) {
        const ModelRect& r = pc.m.CaptionFocusRect; // the caption box of the previous repaint
        FocusRect(pc, r.left, r.top, r.right, r.bottom);
    }
}

} // namespace trimvox::mxbutton
