// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/button_model.h"
#include "platform/gdi/rect.h"

#include <optional>

namespace trimvox::mxbutton {

// What the placement of the picture and the caption depends on.
struct LayoutInput {
    int width = 0;           // W
    int height = 0;          // H
    int pictureWidth = 0;    // pw before the fit to the surface
    int pictureHeight = 0;   // ph
    int textWidth = 0;       // tw, the whole caption measured, "&" included
    int textHeight = 0;      // th
    int pictureAlign = 1;    // 0..8
    int captionAlign = 1;    // 0 left, 1 centre, 2 right
    bool hasPicture = false; // a picture object is set
    bool hasAccessKey = false;
    int style = 0;
    ButtonState state = ButtonState::Normal;
};

struct Layout {
    int px = 0; // picture position, offset by style and state
    int py = 0;
    int pictureWidth = 0; // the size the picture is drawn at, shrunk to fit the surface
    int pictureHeight = 0;
    int tx = 0; // caption position before the style's offsets
    int ty = 0;
    gdi::Rect captionRect;
    // The caption box for the focus rectangle; set only by the looks that keep one.
    std::optional<gdi::Rect> captionFocusRect;
};

// The picture and caption positions: the PictureAlign table, the fit of the picture to the surface, the
// CaptionAlign overrides, the access-key shift, and the per-style offsets of picture and caption.
Layout LayoutPictureAndCaption(const LayoutInput& in);

} // namespace trimvox::mxbutton
