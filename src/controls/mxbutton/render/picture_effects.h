// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/gdi/color.h"
#include "platform/gdi/picture.h"
#include "platform/gdi/surface.h"

#include <cstdint>
#include <vector>

namespace trimvox::mxbutton {

// An icon scaled to width x height, its mask keeping the face where the icon is transparent.
void DrawIconPicture(gdi::Surface& s, const gdi::Picture& icon, int x, int y, int width, int height);
// The top-left width x height part of a bitmap, unscaled; with useMaskColor, pixels of maskColor (a plain
// RGB value) leave the face as it is.
void DrawBitmapPicture(gdi::Surface& s, const gdi::Picture& bitmap, int x, int y, int width, int height,
                       bool useMaskColor, gdi::ColorRef maskColor);

// The grey rule on a 24-bit bottom-up pixel buffer (rows padded to 4 bytes): each pixel's blue, green and
// red become (blue + green + red) / 3, the remainder dropped. The row padding is left alone.
void GrayPixels24(std::vector<std::uint8_t>& buffer, int width, int height);

// The disabled look: the picture in grey scaled to width x height (-1 for the picture's own size), the face
// showing through an icon's transparent parts; a bitmap becomes an opaque grey rectangle. Returns whether the
// last blit was done.
bool DrawGrayedPicture(gdi::Surface& s, const gdi::Picture& picture, int x, int y, int width, int height);

} // namespace trimvox::mxbutton
