// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

namespace {

// A two-colour border one and two pixels inside the outline, in eight lines.
void Border(PaintContext& pc, const ColorRef (&c)[8]) {
    const int W = pc.W;
    const int H = pc.H;
    Line(pc, 1, 2, W - 2, 2, c[0]);
    Line(pc, 1, 1, W - 2, 1, c[1]);
    Line(pc, 1, 1, 1, H - 2, c[2]);
    Line(pc, W - 2, 2, W - 2, H - 2, c[3]);
    Line(pc, 2, 2, 2, H - 3, c[4]);
    Line(pc, W - 3, 3, W - 3, H - 3, c[5]);
    Line(pc, 2, H - 3, W - 2, H - 3, c[6]);
    Line(pc, 2, H - 2, W - 2, H - 2, c[7]);
}

void ShadedFace(PaintContext& pc) {
    GradDown(pc, 0, 0, pc.W, pc.H, S(pc.base, 0.07f), pc.base);
    GradDown(pc, 0, 0, pc.W, 5, S(pc.base, 0.2f), S(pc.base, 0.08f));
}

} // namespace

// RoundedHotTrack (2): shaded face, orange border when hot, blue border for focus.
void PaintRoundedHotTrack(PaintContext& pc, ButtonState state) {
    const int W = pc.W;
    const int H = pc.H;
    const ColorRef base = pc.base;
    if (!pc.m.mEnabled) {
        pc.Region();
        FillFace(pc, S(base, 0.03f));
        Frame(pc, 0, 0, W, H, S(base, -0.1f));
        Corners(pc, S(base, 0.2f));
        return;
    }
    switch (state) {
    case ButtonState::Normal:
        pc.Region();
        ShadedFace(pc);
        Line(pc, 1, H - 2, W - 2, H - 2, S(base, -0.09f));
        Line(pc, 1, H - 3, W - 2, H - 3, S(base, -0.05f));
        Line(pc, 1, H - 4, W - 2, H - 4, S(base, -0.01f));
        Line(pc, W - 2, 2, W - 2, H - 2, S(base, -0.08f));
        Line(pc, 1, 1, 1, H - 2, Mix(Hex(0xFFFFFF), base));
        break;
    case ButtonState::Hot: {
        ShadedFace(pc);
        static constexpr ColorRef kOrange[8] = {Hex(0xFDD889), Hex(0xFFF0CF), Hex(0xF9BD49), Hex(0xF9BD49),
                                                Hex(0xFCD27A), Hex(0xFCD27A), Hex(0xF8B330), Hex(0xE59700)};
        Border(pc, kOrange);
        break;
    }
    case ButtonState::Pressed:
        FillFace(pc, S(base, -0.05f));
        Line(pc, 1, 1, W - 2, 1, S(base, -0.16f));
        Line(pc, 1, 2, W - 2, 2, S(base, -0.1f));
        Line(pc, 1, H - 2, W - 2, H - 2, S(base, 0.07f));
        Line(pc, 1, 1, 1, H - 2, S(base, -0.16f));
        Line(pc, 2, 2, 2, H - 2, S(base, -0.1f));
        Line(pc, W - 2, 2, W - 2, H - 2, S(base, 0.04f));
        break;
    }
    if (state == ButtonState::Normal && pc.m.mParentActive && pc.FocusOrDefault()) {
        static constexpr ColorRef kBlue[8] = {Hex(0xBCD4F6), Hex(0xCEE7FF), Hex(0x8EAFE6), Hex(0x8EAFE6),
                                              Hex(0xB8D1F4), Hex(0xB8D1F4), Hex(0x89ADE4), Hex(0x6982EE)};
        Border(pc, kBlue);
    }
    if (pc.m.mParentActive && pc.m.mShowFocusRect && pc.FocusOrDefault())
        FocusRect(pc, 2, 2, W - 2, H - 2);
    Frame(pc, 0, 0, W, H, Hex(0x003C74));
    Corners(pc, S(Hex(0x003C74), 0.3f));
}

} // namespace trimvox::mxbutton
