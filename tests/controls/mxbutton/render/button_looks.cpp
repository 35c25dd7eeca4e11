// SPDX-License-Identifier: GPL-3.0-or-later
#include "button_looks.h"

#include "platform/gdi/system_colors.h"

namespace trimvox::mxbutton::looks {

namespace {

constexpr gdi::OleColor kFace = gdi::kSysButtonFace;
// Face colours that setting the style gives (0x00BBGGRR); system colours are stored translated.
constexpr std::array<gdi::OleColor, 16> kStyleBackColors = {
    0xF0F0F0, 0xF0F0F0, 0xE7EBEC, 0xF0F0F0, 0xE3E3E3, 0xAA6D00, 0xE1D6D5, 0xFFD1AD,
    0xF0F0F0, 0xF0F0F0, 0xFFD1AD, 0xF0F0F0, 0xF0F0F0, 0xFCE1CA, 0xD0D0D0, 0xE6CAA7,
};
constexpr std::array<const char*, 16> kStyleNames = {
    "Standard",      "ThinEdge",    "RoundedHotTrack", "FlatRounded",        "GlossyBlue",   "DropShadow",
    "HalfGradient",  "AmberGloss",  "BlueHover",       "ToolbarHighlight",   "SoftGradient", "HoverRaised",
    "HoverThinEdge", "OrangeHover", "RoundedPixelArt", "HorizontalGradient",
};

} // namespace

const char* LookName(Look look) {
    switch (look) {
    case Look::Normal:
        return "normal";
    case Look::Hot:
        return "hot";
    case Look::Pressed:
        return "pressed";
    case Look::Checked:
        return "checked";
    case Look::Disabled:
        return "disabled";
    case Look::Focused:
        return "focused";
    }
    return "?";
}

const char* StyleName(int style) {
    return style >= 0 && style < 16 ? kStyleNames[static_cast<std::size_t>(style)] : "none";
}

ButtonModel MakeButton(int style) {
    ButtonModel m;
    m.mButtonStyle = style;
    m.mBackColor = style >= 0 && style < 16 ? kStyleBackColors[static_cast<std::size_t>(style)] : 0xF0F0F0;
    m.mForeColor = style == 5 ? 0xFFFFFF : 0x000000;
    m.mShowFocusRect = style == 0 || style == 1 || style == 5 || style == 6 || style == 15;
    m.mEnabled = true;
    m.mParentActive = true;
    m.mPictureAlign = 1;
    m.mCaptionAlign = 1;
    m.mMaskColor = 0xE0E0E0;
    (void)kFace;
    return m;
}

void ApplyLook(ButtonModel& m, Look look) {
    switch (look) {
    case Look::Normal:
        break;
    case Look::Hot:
        m.mButtonState = ButtonState::Hot;
        m.mMouseOver = true;
        break;
    case Look::Pressed:
        m.mButtonState = ButtonState::Pressed;
        m.mMouseOver = true;
        m.mMouseDown = true;
        break;
    case Look::Checked:
        m.mCheckBoxMode = true;
        m.mValue = true;
        break;
    case Look::Disabled:
        m.mEnabled = false;
        break;
    case Look::Focused:
        m.mHasFocus = true;
        m.mShowFocusRect = true;
        break;
    }
}

RedrawContext RunTimeContext(const gdi::TextRenderer* text) {
    RedrawContext ctx;
    ctx.text = text;
    ctx.containerBackColor = kFace;
    ctx.userMode = true;
    return ctx;
}

gdi::Surface Render(int style, Look look, int width, int height, const gdi::TextRenderer* text) {
    ButtonModel m = MakeButton(style);
    ApplyLook(m, look);
    gdi::Surface s(width, height);
    Redraw(m, s, RunTimeContext(text));
    return s;
}

} // namespace trimvox::mxbutton::looks
