// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/persistence.h"

#include "controls/mxbutton/font_object.h"
#include "platform/gdi/picture.h"

#include <gtest/gtest.h>

namespace trimvox::mxbutton {
namespace {

OleColor FakeResolve(OleColor c) {
    return (c & 0x80000000u) ? 0x00AA0000u | (c & 0xFFu) : c;
}
constexpr OleColor kFace = 0x00AA000F;
constexpr OleColor kText = 0x00AA0012;

PicturePtr SomePicture() {
    return std::make_shared<gdi::Picture>(gdi::Picture::MakeBitmap(2, 2, {1, 2, 3, 4}));
}

class Persistence : public ::testing::Test {
protected:
    Persistence() {
        host.displayName = QStringLiteral("mxbutton7");
        host.font = std::make_shared<FontObject>();
        host.font->SetName("Ambient Sans");
    }

    ButtonModel RoundTrip(const ButtonModel& in, PointerState pointerIn = {}) {
        PropertyStore store;
        WriteStoredProperties(in, pointerIn, store, host, FakeResolve);
        ButtonModel out;
        PointerState pointerOut;
        ReadStoredProperties(out, pointerOut, store, host, FakeResolve);
        lastPointer = pointerOut;
        return out;
    }

    BasicButtonHost host;
    PointerState lastPointer;
};

TEST_F(Persistence, NewInstanceTakesStyleZeroTheInstanceNameAndNoFont) {
    ButtonModel m;
    InitNewInstance(m, host, FakeResolve);
    EXPECT_EQ(m.mButtonStyle, 0);
    EXPECT_TRUE(m.mShowFocusRect);
    EXPECT_TRUE(m.mEnabled);
    EXPECT_EQ(m.mCaption, QStringLiteral("mxbutton7"));
    EXPECT_EQ(m.mBackColor, kFace);
    EXPECT_EQ(m.mForeColor, kText);
    EXPECT_EQ(m.mPictureAlign, 1);
    EXPECT_EQ(m.mCaptionAlign, 1);
    EXPECT_FALSE(m.mUseMaskColor);
    EXPECT_EQ(m.mMaskColor, 0xE0E0E0u);
    EXPECT_EQ(m.mFont, nullptr);
}

TEST_F(Persistence, AnEmptyStoreGivesTheReadingDefaults) {
    ButtonModel m;
    PointerState pointer;
    ReadStoredProperties(m, pointer, PropertyStore{}, host, FakeResolve);
    EXPECT_EQ(m.mButtonStyle, 1) << "a missing style reads as ThinEdge, not as a new instance's 0";
    EXPECT_FALSE(m.mShowFocusRect) << "a missing focus-rectangle setting reads as off";
    EXPECT_EQ(m.mCaption, QStringLiteral("mxbutton"));
    EXPECT_TRUE(m.mEnabled);
    EXPECT_EQ(m.mBackColor, kFace);
    EXPECT_EQ(m.mForeColor, kText);
    EXPECT_EQ(m.mMaskColor, 0xE0E0E0u);
    EXPECT_EQ(m.mPictureAlign, 1);
    EXPECT_EQ(m.mCaptionAlign, 1);
    ASSERT_NE(m.mFont, nullptr);
    EXPECT_EQ(m.mFont->Name(), "Ambient Sans");
    EXPECT_NE(m.mFont, host.font) << "the button gets a font object of its own";
    EXPECT_EQ(pointer.mousePointer, 0);
    EXPECT_EQ(pointer.mouseIcon, nullptr);
}

TEST_F(Persistence, EveryPropertySurvivesARoundTrip) {
    ButtonModel in;
    in.mButtonStyle = 14;
    in.mShowFocusRect = true;
    in.mEnabled = false;
    in.mFont = std::make_shared<FontObject>(gdi::FontDescription{"SimSun", 9, 400, 134});
    in.mBackColor = 0xD0D0D0;
    in.mCaption = QStringLiteral("打开");
    in.mForeColor = 0x123456;
    in.mCheckBoxMode = true;
    in.mValue = true;
    in.mHandPointer = true;
    in.mPicture = SomePicture();
    in.mPictureHover = SomePicture();
    in.mPictureAlign = 6;
    in.mPictureSize = 2;
    in.mUseMaskColor = true;
    in.mMaskColor = 0xFF00FF;
    in.mCaptionAlign = 2;
    PointerState pointer{99, SomePicture()};
    const ButtonModel out = RoundTrip(in, pointer);
    EXPECT_EQ(out.mButtonStyle, 14);
    EXPECT_TRUE(out.mShowFocusRect);
    EXPECT_FALSE(out.mEnabled);
    ASSERT_NE(out.mFont, nullptr);
    EXPECT_EQ(out.mFont->Description(), in.mFont->Description());
    EXPECT_EQ(out.mBackColor, 0xD0D0D0u);
    EXPECT_EQ(out.mCaption, QStringLiteral("打开"));
    EXPECT_EQ(out.mForeColor, 0x123456u);
    EXPECT_TRUE(out.mCheckBoxMode);
    EXPECT_TRUE(out.mValue);
    EXPECT_TRUE(out.mHandPointer);
    EXPECT_EQ(out.mPicture, in.mPicture);
    EXPECT_EQ(out.mPictureHover, in.mPictureHover);
    EXPECT_EQ(out.mPictureAlign, 6);
    EXPECT_EQ(out.mPictureSize, 2) << "written as pictureSize, read as PictureSize";
    EXPECT_TRUE(out.mUseMaskColor);
    EXPECT_EQ(out.mMaskColor, 0xFF00FFu);
    EXPECT_EQ(out.mCaptionAlign, 2);
    EXPECT_EQ(lastPointer.mousePointer, 99);
    EXPECT_EQ(lastPointer.mouseIcon, pointer.mouseIcon);
}

TEST_F(Persistence, KeysAreStoredInLowerCaseWithTheirOwnSpelling) {
    ButtonModel in;
    in.mPictureSize = 3;
    in.mUseMaskColor = true;
    PropertyStore store;
    WriteStoredProperties(in, {}, store, host, FakeResolve);
    EXPECT_TRUE(store.Values().count(QStringLiteral("picturesize")));
    EXPECT_TRUE(store.Values().count(QStringLiteral("usemaskcolor")));
    EXPECT_EQ(store.Read<std::int32_t>(QStringLiteral("PICTURESIZE"), 0), 3);
}

TEST_F(Persistence, CaptionDefaultsDifferBetweenWritingAndReading) {
    ButtonModel in;
    in.mCaption = QStringLiteral("mxbutton1");
    EXPECT_EQ(RoundTrip(in).mCaption, QStringLiteral("mxbutton"));
    in.mCaption = QStringLiteral("mxbutton");
    EXPECT_EQ(RoundTrip(in).mCaption, QStringLiteral("mxbutton"));
    in.mCaption = QString();
    EXPECT_EQ(RoundTrip(in).mCaption, QString()) << "an empty caption is stored, not lost";
}

TEST_F(Persistence, DefaultsOfANewInstanceNeedKeysToSurvive) {
    ButtonModel in;
    InitNewInstance(in, host, FakeResolve);
    PropertyStore store;
    WriteStoredProperties(in, {}, store, host, FakeResolve);
    // Style 0 and the focus rectangle differ from the reading defaults, so they are stored.
    EXPECT_EQ(store.Read<std::int32_t>(QStringLiteral("ButtonStyle"), 1), 0);
    EXPECT_TRUE(store.Read<bool>(QStringLiteral("ShowFocusRect"), false));
    const ButtonModel out = RoundTrip(in);
    EXPECT_EQ(out.mButtonStyle, 0);
    EXPECT_TRUE(out.mShowFocusRect);
    EXPECT_EQ(out.mBackColor, kFace);
    // A default value leaves no key behind.
    EXPECT_FALSE(store.Contains(QStringLiteral("Enabled")));
    EXPECT_FALSE(store.Contains(QStringLiteral("BackColor")));
    EXPECT_FALSE(store.Contains(QStringLiteral("MaskColor")));
    EXPECT_FALSE(store.Contains(QStringLiteral("Font")));
}

TEST_F(Persistence, WritingADefaultValueRemovesAnOlderKey) {
    ButtonModel in;
    in.mButtonStyle = 5;
    PropertyStore store;
    WriteStoredProperties(in, {}, store, host, FakeResolve);
    in.mButtonStyle = 1;
    WriteStoredProperties(in, {}, store, host, FakeResolve);
    EXPECT_FALSE(store.Contains(QStringLiteral("ButtonStyle")));
}

TEST_F(Persistence, AFontLikeTheHostsIsNotStoredAndReadsBackAsTheHostsFont) {
    ButtonModel in;
    in.mFont = std::make_shared<FontObject>(*host.font);
    PropertyStore store;
    WriteStoredProperties(in, {}, store, host, FakeResolve);
    EXPECT_FALSE(store.Contains(QStringLiteral("Font")));
    const ButtonModel out = RoundTrip(in);
    ASSERT_NE(out.mFont, nullptr);
    EXPECT_EQ(out.mFont->Name(), "Ambient Sans");
}

TEST(PropertyStoreTest, AValueOfAnotherKindReadsAsTheDefault) {
    PropertyStore store;
    store.Put(QStringLiteral("ButtonStyle"), QStringLiteral("five"));
    EXPECT_EQ(store.Read<std::int32_t>(QStringLiteral("buttonstyle"), 1), 1);
}

} // namespace
} // namespace trimvox::mxbutton
