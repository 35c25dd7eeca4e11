// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

// BlueHover (8): flat in the face colour, light blue when hot or pressed.
void PaintBlueHover(PaintContext& pc, ButtonState state) {
    const int W = pc.W;
    const int H = pc.H;
    if (!pc.m.mEnabled) {
        FillFace(pc, pc.base);
        Corners(pc, pc.base);
        return;
    }
    switch (state) {
    case ButtonState::Normal:
        pc.Region();
        FillFace(pc, pc.base);
        return;
    case ButtonState::Hot:
        GradDown(pc, 1, 1, W - 2, H - 2, Hex(0xF1F9FD), Hex(0xD0ECF8));
        GradDown(pc, 1, RoundHalfEven(H / 1.7), W - 2, H - 2, Hex(0xD0ECF8), Hex(0xD0ECF8));
        break;
    case ButtonState::Pressed:
        GradDown(pc, 1, 1, W - 2, H - 2, Hex(0xB0DEF1), Hex(0xDBF1F9));
        break;
    }
    Frame(pc, 0, 0, W, H, Hex(0x619ECA));
    Frame(pc, 1, 1, W - 2, H - 2, Hex(0xFFFFFF));
    Corners(pc, S(Hex(0x619ECA), 0.3f));
}

} // namespace trimvox::mxbutton
