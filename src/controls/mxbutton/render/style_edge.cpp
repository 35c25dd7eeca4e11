#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/painters.h"

namespace trimvox::mxbutton {

// Standard (0), ThinEdge (1), HoverRaised (11) and HoverThinEdge (12): system 3-D edges.
void PaintEdgeStyle(PaintContext& pc, ButtonState state) {
    const int style = pc.m.mButtonStyle;
    const int W = pc.W;
    const int H = pc.H;
    const gdi::Rect face{0, 0, W, H};
    const ColorRef workspace = Sys(gdi::kColorAppWorkspace);

    if (!pc.m.mEnabled)
        pc.s.DrawEdge(face, gdi::kEdgeRaised, gdi::kBfRect);

    if (pc.Checked()) {
        FillFace(pc, S(pc.base, 0.02f));
        if (style == 12)
            return;
        pc.s.DrawEdge(face, gdi::kEdgeSunken, gdi::kBfRect);
        if (style == 0 && pc.m.mShowFocusRect && pc.m.mHasFocus)
            Frame(pc, 4, 4, W - 7, H - 7, workspace);
        return;
    }

    if (state == ButtonState::Normal)
        pc.Region();
    FillFace(pc, pc.base);
    switch (state) {
    case ButtonState::Normal:
        if (style == 0)
            pc.s.DrawEdge(face, gdi::kEdgeRaised, gdi::kBfRect);
        else if (style == 1)
            pc.s.DrawEdge(face, gdi::kBdrRaisedInner, gdi::kBfRect);
        break;
    case ButtonState::Hot:
        pc.s.DrawEdge(face, style == 0 || style == 11 ? gdi::kEdgeRaised : gdi::kBdrRaisedInner,
                      gdi::kBfRect);
        break;
    case ButtonState::Pressed:
        if (style == 0) {
            Frame(pc, 1, 1, W - 2, H - 2, Hex(0xACA899));
            Frame(pc, 0, 0, W, H, Hex(0x000000));
        } else if (style == 11) {
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
            if (style == 0 || style == 11)
                FocusRect(pc, 4, 4, W - 4, H - 4);
            else
                FocusRect(pc, 3, 3, W - 3, H - 3);
        }
        if (style == 0 && state != ButtonState::Pressed) {
            // The default button's outline.
            pc.s.DrawEdge({0, 0, W - 1, H - 1}, gdi::kEdgeRaised, gdi::kBfRect);
            Frame(pc, 0, 0, W - 1, H - 1, workspace);
            Frame(pc, 0, 0, W, H, Hex(0x000000));
        }
    }
}

} // namespace trimvox::mxbutton
