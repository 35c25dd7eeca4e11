// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

namespace {

// The four 5-pixel bands at the left and right ends of the upper and lower halves.
void SideBands(PaintContext& pc, ColorRef upperOuter, ColorRef upperInner, ColorRef lowerOuter,
               ColorRef lowerInner) {
    const int W = pc.W;
    const double H = pc.H;
    const int half = RoundHalfEven(H / 2);
    const int upperH = RoundHalfEven(H / 2 - 2);
    const int lowerH = RoundHalfEven(H - H / 2 - 1);
    GradRight(pc, 1, 3, 5, upperH, upperOuter, upperInner);
    GradRight(pc, 1, half, 5, lowerH, lowerOuter, lowerInner);
    GradRight(pc, W - 6, 3, 5, upperH, upperInner, upperOuter);
    GradRight(pc, W - 6, half, 5, lowerH, lowerInner, lowerOuter);
}

} // namespace

// GlossyBlue (4): a glass face, light blue when hot, deeper blue when pressed.
void PaintGlossyBlue(PaintContext& pc, ButtonState state) {
    const int W = pc.W;
    const int H = pc.H;
    const ColorRef base = pc.base;
    const int half = RoundHalfEven(H / 2.0);
    if (!pc.m.mEnabled) {
        pc.Region();
        FillFace(pc, S(base, 0.03f));
        Frame(pc, 0, 0, W, H, S(base, -0.25f));
        Frame(pc, 1, 1, W - 2, H - 2, S(base, 0.25f));
        Corners(pc, S(base, -0.03f));
        return;
    }
    switch (state) {
    case ButtonState::Normal:
        pc.Region();
        GradDown(pc, 1, 1, W - 1, H, S(base, 0.05f), base);
        GradDown(pc, 1, half, W - 2, H - 2, S(base, -0.02f), S(base, -0.15f));
        Frame(pc, 0, 0, W, H, Hex(0x707070));
        Frame(pc, 1, 1, W - 2, H - 2, Hex(0xFFFFFF));
        break;
    case ButtonState::Hot:
        GradDown(pc, 1, 1, W - 2, half, Hex(0xE4F7FF), Hex(0xDAF3FF));
        GradDown(pc, 1, half, W - 2, H - 2, Hex(0xC1E9FF), Hex(0xAEE1FD));
        SideBands(pc, Hex(0xCDEEFF), Hex(0xE4F7FF), Hex(0x8FD6FA), S(Hex(0xACE1FD), 0.01f));
        Frame(pc, 0, 0, W, H, Hex(0x3275A7));
        Frame(pc, 1, 1, W - 2, H - 2, Hex(0xFFFFFF));
        break;
    case ButtonState::Pressed:
        GradDown(pc, 1, 1, W - 1, H, Hex(0xC2E4F6), Hex(0xC2E4F6));
        GradDown(pc, 1, half, W - 2, H - 2, Hex(0x9AD2F0), Hex(0x9AD2F0));
        Frame(pc, 0, 0, W, H, Hex(0x1D415C));
        Line(pc, 1, 1, W - 1, 1, Hex(0x719CB3));
        Line(pc, 1, 2, W - 1, 2, Hex(0xA9C6D6));
        Line(pc, 1, 3, W - 1, 3, Hex(0xB9D9EC));
        Line(pc, 1, 1, 1, RoundHalfEven(H / 2.0 - 1), Hex(0x73B0CF));
        Line(pc, 1, half, 1, RoundHalfEven(H - H / 2.0 - 1), Hex(0x2B91C5));
        SideBands(pc, S(Hex(0x91C8E6), 0.02f), S(Hex(0xC2E4F6), -0.01f), S(Hex(0x4EABDC), 0.02f),
                  S(Hex(0x9AD2F0), -0.01f));
        break;
    }
    if (pc.m.mParentActive) {
        if (state == ButtonState::Normal && pc.FocusOrDefault()) {
            Frame(pc, 0, 0, W, H, Hex(0x3275A7));
            Frame(pc, 1, 1, W - 2, H - 2, Hex(0x48D8FB));
        }
        if (pc.m.mShowFocusRect && pc.m.mHasFocus)
            FocusRect(pc, 2, 2, W - 2, H - 2);
    }
    Corners(pc, Hex(0x5F96BE));
}

} // namespace trimvox::mxbutton
