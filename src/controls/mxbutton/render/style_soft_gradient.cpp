// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

// SoftGradient (10): a sheen over the top five rows and a gradient fading to white below.
void PaintSoftGradient(PaintContext& pc, ButtonState state) {
    const int W = pc.W;
    const int H = pc.H;
    const ColorRef base = pc.base;
    const ColorRef white = Hex(0xFFFFFF);
    ColorRef fill = base, sheen1 = base, sheen2 = base, lower1 = base, lower2 = base, outline = base;
    switch (state) {
    case ButtonState::Normal:
        pc.Region();
        fill = base;
        sheen1 = S(Mix(base, white), 0.1f);
        sheen2 = base;
        lower1 = S(base, -0.05f);
        lower2 = Mix(white, S(base, 0.1f));
        outline = S(base, -0.33f);
        break;
    case ButtonState::Hot:
        fill = S(base, 0.05f);
        sheen1 = S(Mix(S(base, 0.05f), white), 0.15f);
        sheen2 = S(base, 0.05f);
        lower1 = base;
        lower2 = Mix(white, S(base, 0.15f));
        outline = S(base, -0.28f);
        break;
    case ButtonState::Pressed:
        fill = S(base, -0.03f);
        sheen1 = S(Mix(base, white), 0.1f);
        sheen2 = base;
        lower1 = S(base, -0.08f);
        lower2 = Mix(white, S(base, 0.07f));
        outline = S(base, -0.36f);
        break;
    }
    FillFace(pc, fill);
    GradDown(pc, 0, 0, W, 5, sheen1, sheen2);
    GradDown(pc, 0, 6, W, H - 1, lower1, lower2); // its last rows fall outside the surface
    Frame(pc, 0, 0, W, H, outline);
    Corners(pc, S(base, -0.5f));
}

} // namespace trimvox::mxbutton
