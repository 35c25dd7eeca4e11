// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

// OrangeHover (13): a quiet two-part face, orange gradients when hot, pressed or checked.
void PaintOrangeHover(PaintContext& pc, ButtonState state) {
    const int W = pc.W;
    const int H = pc.H;
    const ColorRef base = pc.base;
    auto outline = [&] { Frame(pc, 0, 0, W, H, Hex(0x000080)); };
    if (pc.Checked()) {
        if (pc.m.mMouseOver)
            GradDown(pc, 0, 0, W, H, Hex(0xFE914E), Hex(0xFFD38E));
        else
            GradDown(pc, 0, 0, W, H, Hex(0xFFD58C), Hex(0xFFAD55));
        outline();
        return;
    }
    switch (state) {
    case ButtonState::Normal: {
        pc.Region();
        const int half = RoundHalfEven(H / 2.0);
        GradDown(pc, 0, 0, W, half, S(base, 0.05f), base);
        GradDown(pc, 0, half, W, RoundHalfEven(H / 2.0 + 1), S(base, -0.01f), S(base, -0.13f));
        break;
    }
    case ButtonState::Hot:
        GradDown(pc, 0, 0, W, H, Hex(0xFFF4CC), Hex(0xFFD091));
        outline();
        break;
    case ButtonState::Pressed:
        GradDown(pc, 0, 0, W, H, Hex(0xFE914E), Hex(0xFFD38E));
        outline();
        break;
    }
}

} // namespace trimvox::mxbutton
