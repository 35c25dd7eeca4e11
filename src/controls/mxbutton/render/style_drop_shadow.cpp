// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

// DropShadow (5): a face lifted over a three-step shadow; pressing moves the face onto the shadow.
void PaintDropShadow(PaintContext& pc, ButtonState state) {
    const int W = pc.W;
    const int H = pc.H;
    const ColorRef f = pc.m.mEnabled ? pc.base : S(pc.base, 0.1f);
    // The container colour shows around the face; without it the focus rectangle is left out.
    const bool container = pc.env.containerBackColorKnown;
    if (state == ButtonState::Pressed) {
        if (container)
            pc.SurfaceBackFromContainer();
        Fill(pc, 3, 3, W, H, f);
        Frame(pc, 3, 3, W - 3, H - 3, S(f, 0.3f));
    } else {
        if (state == ButtonState::Normal)
            pc.Region();
        if (container)
            pc.SurfaceBackFromContainer();
        Frame(pc, 6, 6, W - 9, H - 9, Hex(0x808080));
        Frame(pc, 5, 5, W - 7, H - 7, Hex(0xA0A0A0));
        Frame(pc, 4, 4, W - 5, H - 5, Hex(0xC0C0C0));
        Fill(pc, 0, 0, W - 5, H - 5, f);
        Frame(pc, 0, 0, W - 4, H - 4, S(f, 0.3f));
    }
    // The focus rectangle inverts; it is drawn without leaving the surface in an inverting pen mode, so
    // lines drawn by a later look are not inverted.
    if (container && pc.m.mParentActive && pc.m.mShowFocusRect && pc.FocusOrDefault()) {
        if (state == ButtonState::Pressed)
            FocusRect(pc, 6, 6, W - 3, H - 3);
        else
            FocusRect(pc, 3, 3, W - 6, H - 6);
    }
}

} // namespace trimvox::mxbutton
