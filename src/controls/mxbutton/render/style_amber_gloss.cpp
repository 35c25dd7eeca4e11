// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

namespace {

void Bands(PaintContext& pc, ColorRef u1, ColorRef u2, ColorRef l1, ColorRef l2) {
    const double H = pc.H;
    const int a = RoundHalfEven(H / 2.7);
    GradDown(pc, 0, 0, pc.W, a, u1, u2);
    GradDown(pc, 0, a, pc.W, RoundHalfEven(H - H / 2.7), l1, l2);
}

} // namespace

// AmberGloss (7): two glossy bands, amber when hot, pressed or checked.
void PaintAmberGloss(PaintContext& pc, ButtonState state) {
    const ColorRef base = pc.base;
    const ColorRef outline = S(base, -0.34f);
    auto frame = [&] { Frame(pc, 0, 0, pc.W, pc.H, outline); };
    if (pc.Checked()) {
        Bands(pc, Hex(0xFFD9A9), Hex(0xFFC06F), Hex(0xFFAB3F), Hex(0xFFE175));
        frame();
        if (pc.m.mMouseOver) {
            Bands(pc, Hex(0xFFC158), Hex(0xFFAF51), Hex(0xFF8F46), Hex(0xFFD35F));
            frame();
        }
        return;
    }
    switch (state) {
    case ButtonState::Normal:
        FillFace(pc, base);
        Bands(pc, Mix(S(base, 0.09f), Hex(0xFFFFFF)), Mix(S(base, 0.07f), base), base, S(base, 0.03f));
        break;
    case ButtonState::Hot:
        Bands(pc, Hex(0xFFFFE1), Hex(0xFFEAAC), Hex(0xFFD767), Hex(0xFFE499));
        break;
    case ButtonState::Pressed:
        Bands(pc, Hex(0xFFC158), Hex(0xFFAF51), Hex(0xFF8F46), Hex(0xFFD35F));
        break;
    }
    frame();
}

} // namespace trimvox::mxbutton
