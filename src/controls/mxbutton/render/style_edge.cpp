// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

// Standard, ThinEdge, HoverRaised and HoverThinEdge: system 3-D edges.
void PaintEdgeStyle(PaintContext& pc, ButtonState state) {
    const auto look = static_cast<ButtonStyle>(pc.m.mButtonStyle);
    const int W = pc.W;
    const int H = pc.H;
    const gdi::Rect face{0, 0, W, H};
    const ColorRef workspace = Sys(gdi::kColorAppWorkspace);

    if (!pc.m.mEnabled)
        pc.s.DrawEdge(face, gdi::kEdgeRaised, gdi::kBfRect);

    if (pc.Checked()) {
        FillFace(pc, S(pc.base, 0.02f));
        if (look == ButtonStyle::HoverThinEdge)
            return;
        pc.s.DrawEdge(face, gdi::kEdgeSunken, gdi::kBfRect);
        if (look == ButtonStyle::Standard && pc.m.mShowFocusRect && pc.m.mHasFocus)
            Frame(pc, 4, 4, W - 7, H - 7, workspace);
        return;
    }

    if (state == ButtonState::Normal)
        pc.Region();
    FillFace(pc, pc.base);
    switch (state) {
    case ButtonState::Normal:
        if (look == ButtonStyle::Standard)
            pc.s.DrawEdge(face, gdi::kEdgeRaised, gdi::kBfRect);
        else if (look == ButtonStyle::ThinEdge)
            pc.s.DrawEdge(face, gdi::kBdrRaisedInner, gdi::kBfRect);
        break;
    case ButtonState::Hot:
        pc.s.DrawEdge(face,
                      look == ButtonStyle::Standard || look == ButtonStyle::HoverRaised
                          ? gdi::kEdgeRaised
                          : gdi::kBdrRaisedInner,
                      gdi::kBfRect);
        break;
    case ButtonState::Pressed:
        if (look == ButtonStyle::Standard) {
            Frame(pc, 1, 1, W - 2, H - 2, Hex(0xACA899));
            Frame(pc, 0, 0, W, H, Hex(0x000000));
        } else if (look == ButtonStyle::HoverRaised) {
            pc.s.DrawEdge(face, gdi::kEdgeSunken, gdi::kBfRect);
        } else {
            // White on the right and bottom, grey text colour on the top and left.
            Frame(pc, 0, 0, W, H, Hex(0xFFFFFF));
            Frame(pc, 0, 0, W + 1, H + 1, Sys(gdi::kColorGrayText));
        }
        break;
    }

    if (pc.FocusOrDefault()) {
        if (pc.m.mShowFocusRect && pc.env.userMode && pc.m.mParentActive) {
            if (look == ButtonStyle::Standard || look == ButtonStyle::HoverRaised)
                FocusRect(pc, 4, 4, W - 4, H - 4);
            else
                FocusRect(pc, 3, 3, W - 3, H - 3);
        }
        if (look == ButtonStyle::Standard && state != ButtonState::Pressed) {
            // The default button's outline.
            pc.s.DrawEdge({0, 0, W - 1, H - 1}, gdi::kEdgeRaised, gdi::kBfRect);
            Frame(pc, 0, 0, W - 1, H - 1, workspace);
            Frame(pc, 0, 0, W, H, Hex(0x000000));
        }
    }
}

} // namespace trimvox::mxbutton
