// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/persistence.h"

#include "controls/mxbutton/font_object.h"

namespace trimvox::mxbutton {

namespace {

// The caption that a store without a "Caption" key gives back, and the one that storing leaves out.
const QString kReadCaptionDefault = QStringLiteral("mxbutton");
const QString kWriteCaptionDefault = QStringLiteral("mxbutton1");

constexpr OleColor kDefaultMaskColor = 0xE0E0E0;

} // namespace

void InitNewInstance(ButtonModel& model, const ButtonHost& host, const ColorResolver& resolve) {
    model.mShowFocusRect = true;
    model.mEnabled = true;
    model.mButtonStyle = static_cast<std::int32_t>(ButtonStyle::Standard);
    model.mCaption = host.AmbientDisplayName();
    model.mFont = nullptr;
    model.mPictureAlign = 1;
    model.mCaptionAlign = 1;
    model.mUseMaskColor = false;
    model.mMaskColor = kDefaultMaskColor;
    ApplyStyleDefaults(model, resolve);
}

void ReadStoredProperties(ButtonModel& model, PointerState& pointer, const PropertyStore& store,
                          const ButtonHost& host, const ColorResolver& resolve) {
    model.mButtonStyle = store.Read<std::int32_t>(QStringLiteral("ButtonStyle"), 1);
    model.mShowFocusRect = store.Read<bool>(QStringLiteral("ShowFocusRect"), false);
    // The button keeps a font object of its own, so that changing it never changes the host's font.
    model.mFont = CopyFont(store.Read<FontPtr>(QStringLiteral("Font"), host.AmbientFont()));
    model.mBackColor = store.Read<OleColor>(QStringLiteral("BackColor"), resolve(kSystemButtonFace));
    model.mEnabled = store.Read<bool>(QStringLiteral("Enabled"), true);
    model.mCaption = store.Read<QString>(QStringLiteral("Caption"), kReadCaptionDefault);
    model.mValue = store.Read<bool>(QStringLiteral("Value"), false);
    pointer.mousePointer =
        static_cast<std::int16_t>(store.Read<std::int32_t>(QStringLiteral("MousePointer"), 0));
    model.mHandPointer = store.Read<bool>(QStringLiteral("HandPointer"), false);
    pointer.mouseIcon = store.Read<PicturePtr>(QStringLiteral("MouseIcon"), nullptr);
    model.mPicture = store.Read<PicturePtr>(QStringLiteral("Picture"), nullptr);
    model.mPictureHover = store.Read<PicturePtr>(QStringLiteral("PictureHover"), nullptr);
    model.mPictureSize = store.Read<std::int32_t>(QStringLiteral("PictureSize"), 0);
    model.mMaskColor = store.Read<OleColor>(QStringLiteral("MaskColor"), kDefaultMaskColor);
    model.mUseMaskColor = store.Read<bool>(QStringLiteral("UseMaskCOlor"), false);
    model.mCheckBoxMode = store.Read<bool>(QStringLiteral("CheckBoxMode"), false);
    model.mPictureAlign = store.Read<std::int32_t>(QStringLiteral("PictureAlign"), 1);
    model.mCaptionAlign = store.Read<std::int32_t>(QStringLiteral("CaptionAlign"), 1);
    model.mForeColor = store.Read<OleColor>(QStringLiteral("ForeColor"), resolve(kSystemButtonText));
}

void WriteStoredProperties(const ButtonModel& model, const PointerState& pointer, PropertyStore& store,
                           const ButtonHost& host, const ColorResolver& resolve) {
    store.Write<std::int32_t>(QStringLiteral("ButtonStyle"), model.mButtonStyle, 1);
    store.Write<bool>(QStringLiteral("ShowFocusRect"), model.mShowFocusRect, false);
    store.Write<bool>(QStringLiteral("Enabled"), model.mEnabled, true);
    // A font equal in every attribute to the host's font is not stored; an unset font stores nothing
    // either, so it reads back as the host's font.
    const FontPtr ambientFont = host.AmbientFont();
    if (model.mFont && !SameFont(model.mFont, ambientFont)) {
        store.Put(QStringLiteral("Font"), CopyFont(model.mFont));
    } else {
        store.Remove(QStringLiteral("Font"));
    }
    store.Write<OleColor>(QStringLiteral("BackColor"), model.mBackColor, resolve(kSystemButtonFace));
    store.Write<QString>(QStringLiteral("Caption"), model.mCaption, kWriteCaptionDefault);
    store.Write<OleColor>(QStringLiteral("ForeColor"), model.mForeColor, resolve(kSystemButtonText));
    store.Write<bool>(QStringLiteral("CheckBoxMode"), model.mCheckBoxMode, false);
    store.Write<bool>(QStringLiteral("Value"), model.mValue, false);
    store.Write<std::int32_t>(QStringLiteral("MousePointer"), pointer.mousePointer, 0);
    store.Write<bool>(QStringLiteral("HandPointer"), model.mHandPointer, false);
    store.Write<PicturePtr>(QStringLiteral("MouseIcon"), pointer.mouseIcon, nullptr);
    store.Write<PicturePtr>(QStringLiteral("Picture"), model.mPicture, nullptr);
    store.Write<PicturePtr>(QStringLiteral("PictureHover"), model.mPictureHover, nullptr);
    store.Write<std::int32_t>(QStringLiteral("PictureAlign"), model.mPictureAlign, 1);
    store.Write<std::int32_t>(QStringLiteral("pictureSize"), model.mPictureSize, 0);
    store.Write<bool>(QStringLiteral("UseMaskCOlor"), model.mUseMaskColor, false);
    store.Write<OleColor>(QStringLiteral("MaskColor"), model.mMaskColor, kDefaultMaskColor);
    store.Write<std::int32_t>(QStringLiteral("CaptionAlign"), model.mCaptionAlign, 1);
}

} // namespace trimvox::mxbutton
