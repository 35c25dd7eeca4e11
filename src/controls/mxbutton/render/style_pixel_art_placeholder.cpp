#include "controls/mxbutton/render/paint_helpers.h"
#include "controls/mxbutton/render/style_pixel_art.h"

namespace trimvox::mxbutton {

// Stands in for the RoundedPixelArt painter while its pictures are not part of the build: the centre
// colour of each picture over the whole face.
void PaintRoundedPixelArt(PaintContext& pc, ButtonState state) {
    if (pc.Checked())
        state = ButtonState::Pressed;
    if (pc.m.mParentActive && (pc.m.mIsDefault || pc.m.mHasFocus) && state != ButtonState::Pressed)
        state = ButtonState::Hot;
    pc.SurfaceBackFromContainer();
    if (state == ButtonState::Normal)
        pc.Region();
    static constexpr ColorRef kCentre[3] = {Hex(0xE8E7EA), Hex(0x6AA6E2), Hex(0x6A9BCC)};
    FillFace(pc, kCentre[static_cast<int>(state)]);
}

} // namespace trimvox::mxbutton
