// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/caption_layout.h"

#include <algorithm>

namespace trimvox::mxbutton {

Layout LayoutPictureAndCaption(const LayoutInput& in) {
    const int W = in.width;
    const int H = in.height;
    const int tw = in.textWidth;
    const int th = in.textHeight;
    int pw = in.pictureWidth;
    int ph = in.pictureHeight;
    int px = 0, py = 0, tx = 0, ty = 0;

    // Placement by PictureAlign. All divisions truncate toward zero.
    switch (in.pictureAlign) {
    case 0:
        px = 4;
        py = (H - ph) / 2;
        tx = std::max(W / 2 - tw / 2 + pw / 2, pw + 8);
        ty = H / 2 - th / 2;
        break;
    case 1:
        px = std::max((W - (pw + tw)) / 2, 4);
        py = (H - ph) / 2;
        tx = std::max(W / 2 - tw / 2 + pw / 2 + 3, pw + 8);
        ty = H / 2 - th / 2;
        break;
    case 2:
        px = W - pw - 4;
        py = (H - ph) / 2;
        tx = W - tw - 4 - pw;
        ty = H / 2 - th / 2;
        break;
    case 3:
        px = std::min((W - (pw - tw)) / 2, W - pw - 4);
        py = (H - ph) / 2;
        tx = W / 2 - tw / 2 - pw / 2 - 3;
        if (tx < 0)
            tx = W - tw - 4 - pw;
        ty = H / 2 - th / 2;
        break;
    case 4:
        px = (W - pw) / 2;
        py = (H - ph) / 2;
        tx = W / 2 - tw / 2;
        ty = H / 2 - th / 2;
        break;
    case 5:
        px = (W - pw) / 2;
        py = 4;
        tx = W / 2 - tw / 2;
        ty = ph / 2 + H / 2 - th / 2 + 2;
        break;
    case 6:
        px = (W - pw) / 2;
        py = std::max((H - (th + ph)) / 2, 4);
        tx = W / 2 - tw / 2;
        ty = ph / 2 + H / 2 - th / 2 + 2;
        break;
    case 7:
        px = (W - pw) / 2;
        py = H - ph - 4;
        tx = W / 2 - tw / 2;
        ty = H / 2 - ph / 2 - th / 2 - 2;
        break;
    case 8:
        px = (W - pw) / 2;
        py = std::min((H - (ph - th)) / 2, H - ph - 4);
        tx = W / 2 - tw / 2;
        ty = H / 2 - ph / 2 - th / 2 - 2;
        break;
    default:
        break;
    }

    // The picture stays on the surface: its position is at least (1, 1) and its size shrinks to fit.
    px = std::max(px, 1);
    py = std::max(py, 1);
    if (W < pw + px)
        pw = W - 8;
    if (H < py + ph)
        ph = H - 4;

    // CaptionAlign overrides the caption position, and for some combinations the picture's.
    if (!in.hasPicture) {
        switch (in.captionAlign) {
        case 0:
            tx = 4;
            break;
        case 1:
            tx = W / 2 - tw / 2;
            break;
        case 2:
            tx = W - tw - 4;
            break;
        default:
            break;
        }
        px = 0;
        py = 0;
        ty = H / 2 - th / 2;
    } else if (in.captionAlign == 0) {
        switch (in.pictureAlign) {
        case 0:
            tx = pw + 8;
            break;
        case 1:
            px = 4;
            tx = pw + 8;
            break;
        case 2:
            if (tx >= 4)
                tx = 4;
            break;
        case 3:
            tx = 4;
            px = tw + 4;
            break;
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
            tx = 4;
            break;
        default:
            break;
        }
    } else if (in.captionAlign == 1) {
        if (in.pictureAlign == 2 && tx >= 0)
            tx = W / 2 - tw / 2;
    } else if (in.captionAlign == 2) {
        switch (in.pictureAlign) {
        case 0:
            tx = std::max(W - tw - 4, pw + 4);
            break;
        case 1:
            tx = W - tw - 4;
            px = tx - pw - 4;
            break;
        case 2:
            tx = W - tw - 4 - pw;
            break;
        case 3:
            px = W - pw - 4;
            tx = W - tw - 4 - pw;
            break;
        case 4:
        case 5:
        case 6:
        case 7:
        case 8:
            tx = W - tw - 4;
            break;
        default:
            break;
        }
    }

    // The "&" is measured but not drawn.
    if (in.hasAccessKey)
        tx += 3;

    const bool pressed = in.state == ButtonState::Pressed;
    const auto look = static_cast<ButtonStyle>(in.style);
    const bool sinks = look == ButtonStyle::Standard || look == ButtonStyle::ThinEdge ||
                       look == ButtonStyle::FlatRounded || look == ButtonStyle::BlueHover;
    if (sinks && pressed) {
        px += 1;
        py += 1;
    } else if (look == ButtonStyle::DropShadow) {
        px += pressed ? 2 : -1;
        py += pressed ? 2 : -1;
    }

    Layout out;
    out.px = px;
    out.py = py;
    out.pictureWidth = pw;
    out.pictureHeight = ph;
    out.tx = tx;
    out.ty = ty;
    const int x = tx;
    const int y = ty;
    if (look == ButtonStyle::DropShadow) {
        out.captionRect = pressed ? gdi::Rect{x + 1, y + 2, x + tw + 1, y + th + 1}
                                  : gdi::Rect{x - 2, y - 2, x + tw - 2, y + th - 2};
    } else if (look == ButtonStyle::RoundedPixelArt) {
        out.captionRect = {x, y - 1, x + tw, y + th - 1};
    } else if (sinks && pressed) {
        out.captionRect = {x + 1, y + 1, x + tw + 1, y + th + 1};
    } else {
        out.captionRect = {x, y, x + tw, y + th};
    }
    if (!pressed && look != ButtonStyle::DropShadow && look != ButtonStyle::RoundedPixelArt)
        out.captionFocusRect = gdi::Rect{x - 2, y, x + tw + 1, y + th + 1};
    return out;
}

} // namespace trimvox::mxbutton
