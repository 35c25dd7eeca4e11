// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/style_pixel_art.h"

#include "controls/mxbutton/render/pixel_art_tables.h"

namespace trimvox::mxbutton {
namespace {

void SetBlock(gdi::Surface& s, std::span<const CornerPixel> block, int originX, int originY) {
    for (const CornerPixel& px : block) {
        s.SetPixel(originX + px.x, originY + px.y, px.color);
    }
}

// One picture stretched to W x H: the centre, the corners pixel by pixel, then the straight sides as
// one-colour lines. Where a small button makes them overlap, the lines win.
void DrawPixelArtPicture(gdi::Surface& s, int W, int H, const PixelArtPicture& p) {
    s.FillRect(gdi::Rect{4, 4, W - 4, H - 4}, p.centre);

    SetBlock(s, p.topLeft, 0, 0);
    SetBlock(s, p.topRight, W, 0);
    SetBlock(s, p.bottomLeft, 0, H);
    SetBlock(s, p.bottomRight, W, H);

    for (int i = 0; i < static_cast<int>(p.left.size()); ++i) {
        s.DrawLine(i, 11, i, H - 10, p.left[i]);
    }
    for (int i = 0; i < static_cast<int>(p.right.size()); ++i) {
        s.DrawLine(W - 17 + i, 11, W - 17 + i, H - 10, p.right[i]);
    }
    for (int i = 0; i < static_cast<int>(p.top.size()); ++i) {
        s.DrawLine(17, i, W - 17, i, p.top[i]);
    }
    // The last of these lies at y = H, below the surface.
    for (int i = 0; i < static_cast<int>(p.bottom.size()); ++i) {
        s.DrawLine(17, H - 11 + i, W - 17, H - 11 + i, p.bottom[i]);
    }
}

} // namespace

void PaintRoundedPixelArt(PaintContext& pc, ButtonState state) {
    ButtonState choice = state;
    if (pc.Checked()) {
        choice = ButtonState::Pressed;
    }
    if (pc.m.mParentActive && pc.FocusOrDefault() && choice != ButtonState::Pressed) {
        choice = ButtonState::Hot;
    }

    pc.SurfaceBackFromContainer();

    switch (choice) {
    case ButtonState::Normal:
        pc.Region();
        DrawPixelArtPicture(pc.s, pc.W, pc.H, kPixelArtNormal);
        break;
    case ButtonState::Hot:
        DrawPixelArtPicture(pc.s, pc.W, pc.H, kPixelArtHot);
        break;
    case ButtonState::Pressed:
        DrawPixelArtPicture(pc.s, pc.W, pc.H, kPixelArtPressed);
        break;
    }
}

} // namespace trimvox::mxbutton
