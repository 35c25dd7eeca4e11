// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <memory>

namespace trimvox::gdi {
struct Picture;
} // namespace trimvox::gdi

class QObject;

namespace trimvox::mxbutton {

class FontObject;

// A 32-bit OLE colour: 0x00BBGGRR, or a system colour reference with the high bit set.
using OleColor = std::uint32_t;

inline constexpr OleColor kSystemButtonFace = 0x8000000F;
inline constexpr OleColor kSystemGrayText = 0x80000011;
inline constexpr OleColor kSystemButtonText = 0x80000012;

// The button's visual state, drawn by the painters.
enum class ButtonState : std::int32_t { Normal = 0, Hot = 1, Pressed = 2 };

// The sixteen looks. ButtonStyle is stored as a plain 32-bit integer (no range check), so values outside
// 0 to 15 can occur; these names are for the known ones.
enum class ButtonStyle : std::int32_t {
    Standard = 0,
    ThinEdge = 1,
    RoundedHotTrack = 2,
    FlatRounded = 3,
    GlossyBlue = 4,
    DropShadow = 5,
    HalfGradient = 6,
    AmberGloss = 7,
    BlueHover = 8,
    ToolbarHighlight = 9,
    SoftGradient = 10,
    HoverRaised = 11,
    HoverThinEdge = 12,
    OrangeHover = 13,
    RoundedPixelArt = 14,
    HorizontalGradient = 15,
};

// Left, top, right, bottom in pixels; right and bottom are exclusive.
struct ModelRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    friend bool operator==(const ModelRect&, const ModelRect&) = default;
};

// What the last window region was built for. The window owns the region itself once it has it; the
// button keeps only this record, so that it can tell whether the outline needs rebuilding.
struct RegionRecord {
    bool built = false;
    std::int32_t style = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Pictures are shared and immutable; a null pointer is "none".
using PicturePtr = std::shared_ptr<const gdi::Picture>;
// The caption font object, shared and watched for changes; null is "none" (a new instance has no font
// object until one is written).
using FontPtr = std::shared_ptr<FontObject>;

// Every field of one button: the public properties (backing fields "m" + property name), the input state
// and the values that each repaint leaves behind. Plain data; the control and its input handling change it,
// Redraw reads it and writes the fields marked "written by Redraw".
struct ButtonModel {
    // Public properties.
    OleColor mBackColor = 0;
    std::int32_t mButtonStyle = 0;
    QString mCaption;
    std::int32_t mCaptionAlign = 0;
    bool mCheckBoxMode = false;
    bool mEnabled = false;
    FontPtr mFont;
    OleColor mForeColor = 0;
    bool mHandPointer = false;
    OleColor mMaskColor = 0;
    PicturePtr mPicture;
    std::int32_t mPictureAlign = 0;
    PicturePtr mPictureHover;
    std::int32_t mPictureSize = 0;
    bool mShowFocusRect = false;
    bool mUseMaskColor = false;
    bool mValue = false;

    // Input state.
    ButtonState mButtonState = ButtonState::Normal;
    bool mMouseOver = false;
    bool mMouseDown = false;
    bool mSpaceDown = false;
    bool mHasFocus = false;
    bool mParentActive = false;
    bool mIsDefault = false;
    bool mIsNT = true;        // wide-character text drawing; always so on our platforms
    bool mHandCursor = false; // the system hand cursor has been loaded
    RegionRecord mRegion;     // the last window region built
    std::int32_t mWidth = 0;  // drawing surface width in pixels
    std::int32_t mHeight = 0; // drawing surface height in pixels
    QObject* mParentHwnd = nullptr;
    bool mTrackMouse = false;  // mouse-leave tracking is available
    bool mTrackUser32 = false; // ... through the primary tracking call
    std::int16_t mLastButton = 0;
    std::int16_t mLastShift = 0;
    float mLastX = 0.0f;
    float mLastY = 0.0f;
    // The Space key went down as Alt+Space, which the button leaves alone: its release is no click.
    bool altSpaceSwallowed = false;

    // The access key taken from the caption by UpdateAccessKey; a null QChar is "none".
    QChar accessKey;

    // Written by Redraw.
    ModelRect ButtonRect;
    std::int32_t mPictureWidth = 0;
    std::int32_t mPictureHeight = 0;
    ModelRect CaptionFocusRect; // from the last repaint that was not Pressed
};

} // namespace trimvox::mxbutton
