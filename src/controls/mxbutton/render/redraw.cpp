// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/render/redraw.h"

#include "controls/mxbutton/render/caption_layout.h"
#include "controls/mxbutton/render/painters.h"
#include "controls/mxbutton/render/picture_effects.h"
#include "platform/gdi/picture.h"

#include <string_view>

namespace trimvox::mxbutton {

namespace {

std::u16string_view CaptionText(const ButtonModel& m) {
    return {reinterpret_cast<const char16_t*>(m.mCaption.utf16()),
            static_cast<std::size_t>(m.mCaption.size())};
}

gdi::PictureType TypeOf(const PicturePtr& p) {
    return p ? p->type : gdi::PictureType::None;
}

bool Drawable(const PicturePtr& p) {
    return p && (p->type == gdi::PictureType::Bitmap || p->type == gdi::PictureType::Icon);
}

void DrawPicture(const ButtonModel& m, gdi::Surface& s, const gdi::Picture& p, int x, int y) {
    if (p.type == gdi::PictureType::Icon)
        DrawIconPicture(s, p, x, y, m.mPictureWidth, m.mPictureHeight);
    else if (p.type == gdi::PictureType::Bitmap)
        DrawBitmapPicture(s, p, x, y, m.mPictureWidth, m.mPictureHeight, m.mUseMaskColor, m.mMaskColor);
}

ModelRect ToModel(const gdi::Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

// Lays out and draws the picture and the caption over the face.
void DrawPictureAndCaption(ButtonModel& m, gdi::Surface& s, const RedrawContext& ctx) {
    m.mWidth = s.Width();
    m.mHeight = s.Height();
    const std::u16string_view caption = CaptionText(m);
    const gdi::TextExtent extent = ctx.text ? ctx.text->Measure(s.Font(), caption) : gdi::TextExtent{};

    switch (m.mPictureSize) {
    case 0:
        // Both sides with the horizontal conversion.
        m.mPictureWidth = m.mPicture ? gdi::HimetricToPixels(m.mPicture->himetricWidth) : 0;
        m.mPictureHeight = m.mPicture ? gdi::HimetricToPixels(m.mPicture->himetricHeight) : 0;
        break;
    case 1:
        m.mPictureWidth = m.mPictureHeight = 16;
        break;
    case 2:
        m.mPictureWidth = m.mPictureHeight = 24;
        break;
    case 3:
        m.mPictureWidth = m.mPictureHeight = 32;
        break;
    default:
        break; // keeps the size of the previous repaint
    }

    // The hover picture stands in only when it is of the same kind as the picture.
    const PicturePtr hover = TypeOf(m.mPictureHover) == TypeOf(m.mPicture) ? m.mPictureHover : m.mPicture;

    LayoutInput in;
    in.width = m.mWidth;
    in.height = m.mHeight;
    in.pictureWidth = m.mPictureWidth;
    in.pictureHeight = m.mPictureHeight;
    in.textWidth = extent.cx;
    in.textHeight = extent.cy;
    in.pictureAlign = m.mPictureAlign;
    in.captionAlign = m.mCaptionAlign;
    in.hasPicture = m.mPicture != nullptr;
    in.hasAccessKey = !m.accessKey.isNull();
    in.style = m.mButtonStyle;
    in.state = m.mButtonState;
    const Layout layout = LayoutPictureAndCaption(in);
    m.mPictureWidth = layout.pictureWidth;
    m.mPictureHeight = layout.pictureHeight;
    if (layout.captionFocusRect)
        m.CaptionFocusRect = ToModel(*layout.captionFocusRect);

    if (Drawable(m.mPicture)) {
        const int px = layout.px;
        const int py = layout.py;
        if (m.mEnabled) {
            const gdi::Picture* statePicture = m.mPicture.get();
            if (m.mButtonState != ButtonState::Normal && m.mPictureHover && hover)
                statePicture = hover.get();
            const bool checked = m.mCheckBoxMode && m.mValue;
            const gdi::Picture* checkedPicture = m.mPictureHover ? hover.get() : m.mPicture.get();
            if (checked && checkedPicture && checkedPicture->type == gdi::PictureType::Bitmap &&
                statePicture->type == gdi::PictureType::Bitmap) {
                // A bitmap of the checked look takes the place of the state's bitmap.
                DrawPicture(m, s, *checkedPicture, px, py);
            } else {
                DrawPicture(m, s, *statePicture, px, py);
                if (checked && checkedPicture)
                    DrawPicture(m, s, *checkedPicture, px, py);
            }
        } else {
            DrawGrayedPicture(s, *m.mPicture, px, py, m.mPictureWidth, m.mPictureHeight);
        }
    }

    if (ctx.text == nullptr)
        return;
    const gdi::ColorRef colour =
        m.mEnabled ? gdi::ResolveColor(m.mForeColor) : gdi::ResolveColor(gdi::kSysGrayText);
    gdi::DrawTextSingleLine(s, *ctx.text, s.Font(), colour, caption, layout.captionRect);
}

} // namespace

void Redraw(ButtonModel& m, gdi::Surface& s, const RedrawContext& ctx) {
    s.Clear();
    m.mWidth = s.Width();
    m.mHeight = s.Height();
    m.ButtonRect = {0, 0, m.mWidth, m.mHeight};

    const int style = m.mButtonStyle;
    const auto look = static_cast<ButtonStyle>(style);
    // Standard, FlatRounded and ToolbarHighlight show the checked look themselves.
    if (m.mCheckBoxMode && look != ButtonStyle::Standard && look != ButtonStyle::FlatRounded &&
        look != ButtonStyle::ToolbarHighlight && m.mValue)
        m.mButtonState = ButtonState::Pressed;

    if (const FacePainter painter = PainterFor(style)) {
        PaintContext pc{m, s, ctx, m.mWidth, m.mHeight, gdi::ResolveColor(m.mBackColor)};
        painter(pc, m.mButtonState);
    }
    DrawPictureAndCaption(m, s, ctx);
}

} // namespace trimvox::mxbutton
