// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/painters.h"

#include <array>

namespace trimvox::mxbutton {

FacePainter PainterFor(int style) {
    static constexpr std::array<FacePainter, 16> kPainters = {
        PaintEdgeStyle,         // 0 Standard
        PaintEdgeStyle,         // 1 ThinEdge
        PaintRoundedHotTrack,   // 2
        PaintFlatRounded,       // 3
        PaintGlossyBlue,        // 4
        PaintDropShadow,        // 5
        PaintHalfGradient,      // 6
        PaintAmberGloss,        // 7
        PaintBlueHover,         // 8
        PaintToolbarHighlight,  // 9
        PaintSoftGradient,      // 10
        PaintEdgeStyle,         // 11 HoverRaised
        PaintEdgeStyle,         // 12 HoverThinEdge
        PaintOrangeHover,       // 13
        PaintRoundedPixelArt,   // 14
        PaintHorizontalGradient // 15
    };
    if (style < 0 || style >= static_cast<int>(kPainters.size()))
        return nullptr;
    return kPainters[static_cast<std::size_t>(style)];
}

} // namespace trimvox::mxbutton
