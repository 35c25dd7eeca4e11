// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/render/paint_context.h"
#include "controls/mxbutton/render/style_pixel_art.h"

namespace trimvox::mxbutton {

// The face painters, one per look; Standard, ThinEdge, HoverRaised and HoverThinEdge share one.
void PaintEdgeStyle(PaintContext& pc, ButtonState state);
void PaintRoundedHotTrack(PaintContext& pc, ButtonState state);
void PaintFlatRounded(PaintContext& pc, ButtonState state);
void PaintGlossyBlue(PaintContext& pc, ButtonState state);
void PaintDropShadow(PaintContext& pc, ButtonState state);
void PaintHalfGradient(PaintContext& pc, ButtonState state);
void PaintAmberGloss(PaintContext& pc, ButtonState state);
void PaintBlueHover(PaintContext& pc, ButtonState state);
void PaintToolbarHighlight(PaintContext& pc, ButtonState state);
void PaintSoftGradient(PaintContext& pc, ButtonState state);
void PaintOrangeHover(PaintContext& pc, ButtonState state);
void PaintHorizontalGradient(PaintContext& pc, ButtonState state);

// The painter of a ButtonStyle value; null for a value outside 0 to 15 (no face is painted).
FacePainter PainterFor(int style);

} // namespace trimvox::mxbutton
