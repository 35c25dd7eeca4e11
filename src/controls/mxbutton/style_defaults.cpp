// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/style_defaults.h"

#include <array>

namespace trimvox::mxbutton {

namespace {

// Face colours by style, 0x00BBGGRR or a system colour reference.
constexpr std::array<OleColor, 16> kFaceColors = {
    kSystemButtonFace, // 0 Standard
    kSystemButtonFace, // 1 ThinEdge
    0xE7EBEC,          // 2 RoundedHotTrack
    kSystemButtonFace, // 3 FlatRounded
    0xE3E3E3,          // 4 GlossyBlue: 0xD4D4D4 lightened by 0.06
    0xAA6D00,          // 5 DropShadow
    0xE1D6D5,          // 6 HalfGradient
    0xFFD1AD,          // 7 AmberGloss
    kSystemButtonFace, // 8 BlueHover
    kSystemButtonFace, // 9 ToolbarHighlight
    0xFFD1AD,          // 10 SoftGradient
    kSystemButtonFace, // 11 HoverRaised
    kSystemButtonFace, // 12 HoverThinEdge
    0xFCE1CA,          // 13 OrangeHover
    0xD0D0D0,          // 14 RoundedPixelArt
    0xE6CAA7,          // 15 HorizontalGradient
};

constexpr OleColor kWhite = 0xFFFFFF;

} // namespace

bool StyleFaceColor(std::int32_t style, OleColor& face) {
    if (style < 0 || style > static_cast<std::int32_t>(ButtonStyle::HorizontalGradient)) {
        return false;
    }
    face = kFaceColors[static_cast<std::size_t>(style)];
    return true;
}

bool StyleShowsFocusRect(std::int32_t style) {
    const auto look = static_cast<ButtonStyle>(style);
    return look == ButtonStyle::Standard || look == ButtonStyle::ThinEdge ||
           look == ButtonStyle::DropShadow || look == ButtonStyle::HalfGradient ||
           look == ButtonStyle::HorizontalGradient;
}

void ApplyStyleDefaults(ButtonModel& model, const ColorResolver& resolve) {
    OleColor face = 0;
    if (StyleFaceColor(model.mButtonStyle, face)) {
        model.mBackColor = resolve(face);
    }
    model.mForeColor = static_cast<ButtonStyle>(model.mButtonStyle) == ButtonStyle::DropShadow
                           ? kWhite
                           : resolve(kSystemButtonText);
    model.mShowFocusRect = StyleShowsFocusRect(model.mButtonStyle);
}

} // namespace trimvox::mxbutton
