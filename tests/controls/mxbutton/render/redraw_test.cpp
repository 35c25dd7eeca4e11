// SPDX-License-Identifier: GPL-3.0-or-later
// The repaint pipeline: what it writes back, the checked rule, caption and picture placement.

#include "button_looks.h"

#include "controls/mxbutton/render/redraw.h"

#include <gtest/gtest.h>

#include <vector>

namespace trimvox::mxbutton {
namespace {

using looks::Look;

// Every character is 7 x 13; records what is drawn.
struct FakeText : gdi::TextRenderer {
    struct Call {
        gdi::Rect clip;
        gdi::ColorRef colour;
        std::u16string text;
        std::size_t underline;
    };
    mutable std::vector<Call> calls;
    gdi::TextExtent Measure(const gdi::FontDescription&, std::u16string_view t) const override {
        return t.empty() ? gdi::TextExtent{} : gdi::TextExtent{static_cast<int>(t.size()) * 7, 13};
    }
    void Draw(gdi::Surface&, const gdi::FontDescription&, gdi::ColorRef colour, const gdi::Rect& clip, int,
              int, std::u16string_view t, std::size_t underline) const override {
        calls.push_back({clip, colour, std::u16string(t), underline});
    }
};

class RedrawTest : public ::testing::Test {
protected:
    void Paint(ButtonModel& m, int w = 57, int h = 25) {
        if (s.Width() != w || s.Height() != h)
            s.Resize(w, h);
        Redraw(m, s, ctx);
    }
    FakeText text;
    RedrawContext ctx = looks::RunTimeContext(&text);
    gdi::Surface s{57, 25};
};

TEST_F(RedrawTest, WritesSizeAndButtonRect) {
    ButtonModel m = looks::MakeButton(0);
    Paint(m, 60, 30);
    EXPECT_EQ(m.mWidth, 60);
    EXPECT_EQ(m.mHeight, 30);
    EXPECT_EQ(m.ButtonRect, (ModelRect{0, 0, 60, 30}));
}

TEST_F(RedrawTest, CheckedButtonsAreForcedToPressedExceptThreeStyles) {
    for (int style = 0; style < 16; ++style) {
        ButtonModel m = looks::MakeButton(style);
        looks::ApplyLook(m, Look::Checked);
        Paint(m);
        const bool keeps = style == 0 || style == 3 || style == 9;
        EXPECT_EQ(m.mButtonState, keeps ? ButtonState::Normal : ButtonState::Pressed) << style;
    }
}

TEST_F(RedrawTest, CheckedThinEdgeShiftsItsCaptionByOnePixel) {
    ButtonModel m = looks::MakeButton(1);
    m.mCaption = QStringLiteral("Go");
    Paint(m);
    const gdi::Rect normal = text.calls.back().clip;
    looks::ApplyLook(m, Look::Checked);
    Paint(m);
    const gdi::Rect checked = text.calls.back().clip;
    EXPECT_EQ(checked.left, normal.left + 1);
    EXPECT_EQ(checked.top, normal.top + 1);
}

TEST_F(RedrawTest, StylesOutsideTheRangePaintNoFaceButTheCaption) {
    for (int style : {16, -1}) {
        ButtonModel m = looks::MakeButton(style);
        m.mCaption = QStringLiteral("x");
        s.SetBackColor(0x123456);
        text.calls.clear();
        Paint(m);
        EXPECT_EQ(s.GetPixel(0, 0), 0x123456u);
        EXPECT_EQ(s.GetPixel(28, 12), 0x123456u);
        EXPECT_EQ(text.calls.size(), 1u);
    }
}

TEST_F(RedrawTest, AccessKeyCaptionIsCentredThreePixelsRightAndUnderlined) {
    ButtonModel m = looks::MakeButton(2);
    m.mCaption = QStringLiteral("&Open");
    m.accessKey = QChar(u'O');
    Paint(m);
    ASSERT_EQ(text.calls.size(), 1u);
    const int tw = 5 * 7; // "&" measured too
    const int tx = 57 / 2 - tw / 2 + 3;
    const int ty = 25 / 2 - 13 / 2;
    EXPECT_EQ(text.calls[0].clip, (gdi::Rect{tx, ty, tx + tw, ty + 13}));
    EXPECT_EQ(text.calls[0].text, u"Open");
    EXPECT_EQ(text.calls[0].underline, 0u);
}

TEST_F(RedrawTest, DropShadowNormalDrawsTheCaptionTwoPixelsUpAndLeft) {
    ButtonModel m = looks::MakeButton(5);
    m.mCaption = QStringLiteral("ab");
    Paint(m);
    const int tx = 57 / 2 - 14 / 2, ty = 25 / 2 - 13 / 2;
    EXPECT_EQ(text.calls.back().clip, (gdi::Rect{tx - 2, ty - 2, tx + 14 - 2, ty + 13 - 2}));
    EXPECT_EQ(text.calls.back().colour, 0xFFFFFFu);
}

TEST_F(RedrawTest, DisabledCaptionIsGreyText) {
    ButtonModel m = looks::MakeButton(0);
    m.mCaption = QStringLiteral("a");
    looks::ApplyLook(m, Look::Disabled);
    Paint(m);
    EXPECT_EQ(text.calls.back().colour, 0x6D6D6Du);
}

TEST_F(RedrawTest, FlatRoundedCaptionTurnsWhiteWhilePressedAndBack) {
    ButtonModel m = looks::MakeButton(3);
    m.mForeColor = 0x0000FF;
    m.mCaption = QStringLiteral("a");
    m.mButtonState = ButtonState::Pressed;
    Paint(m);
    EXPECT_EQ(m.mForeColor, 0xFFFFFFu);
    EXPECT_EQ(text.calls.back().colour, 0xFFFFFFu);
    m.mButtonState = ButtonState::Normal;
    Paint(m);
    EXPECT_EQ(gdi::ResolveColor(m.mForeColor), 0x000000u);
}

TEST_F(RedrawTest, SomeStylesTakeTheContainerColourAsTheSurfaceBackground) {
    ctx.containerBackColor = 0x00ABCDEF;
    for (int style = 0; style < 16; ++style) {
        ButtonModel m = looks::MakeButton(style);
        s.SetBackColor(gdi::kSysButtonFace);
        Paint(m);
        const bool takes = style == 3 || style == 5 || style == 14;
        EXPECT_EQ(s.BackColor(), takes ? 0x00ABCDEFu : gdi::kSysButtonFace) << style;
    }
    // The next clear uses it: the shadow's corner shows the container.
    ButtonModel m = looks::MakeButton(5);
    Paint(m);
    Paint(m);
    EXPECT_EQ(s.GetPixel(56, 0), 0x00ABCDEFu);
}

TEST_F(RedrawTest, NormalLooksBuildTheWindowRegion) {
    int calls = 0;
    ctx.buildWindowRegion = [&] { ++calls; };
    const struct {
        int style;
        Look look;
        bool builds;
    } cases[] = {{0, Look::Normal, true},   {0, Look::Hot, false},      {2, Look::Normal, true},
                 {2, Look::Disabled, true}, {7, Look::Normal, false},   {9, Look::Normal, false},
                 {15, Look::Normal, true},  {15, Look::Pressed, false}, {5, Look::Normal, true}};
    for (const auto& c : cases) {
        calls = 0;
        ButtonModel m = looks::MakeButton(c.style);
        looks::ApplyLook(m, c.look);
        Paint(m);
        EXPECT_EQ(calls > 0, c.builds) << c.style << " " << looks::LookName(c.look);
    }
}

TEST_F(RedrawTest, HalfGradientFocusRectangleUsesThePreviousCaptionBox) {
    ButtonModel m = looks::MakeButton(6);
    m.mCaption = QStringLiteral("ab");
    looks::ApplyLook(m, Look::Focused);
    Paint(m);
    const ModelRect box = m.CaptionFocusRect;
    const int tx = 57 / 2 - 14 / 2, ty = 25 / 2 - 13 / 2;
    EXPECT_EQ(box, (ModelRect{tx - 2, ty, tx + 15, ty + 14}));
    // Pressed keeps the box of the last repaint that was not pressed.
    m.mButtonState = ButtonState::Pressed;
    m.mCaption = QStringLiteral("abcdef");
    Paint(m);
    EXPECT_EQ(m.CaptionFocusRect, box);
    // The dotted rectangle lies on that box: its top-left pixel is inverted.
    const gdi::ColorRef before = s.GetPixel(box.left + 1, box.top);
    m.mShowFocusRect = false;
    Paint(m);
    EXPECT_EQ(s.GetPixel(box.left + 1, box.top) ^ 0xFFFFFFu, before);
}

TEST_F(RedrawTest, PictureSizesAndTheUnknownSizeKeepsThePreviousOne) {
    ButtonModel m = looks::MakeButton(0);
    auto pic = std::make_shared<gdi::Picture>(gdi::Picture::MakeBitmap(20, 10, {}));
    m.mPicture = pic;
    const struct {
        int size;
        int w, h;
    } cases[] = {{0, 20, 10}, {1, 16, 16}, {2, 24, 24}, {9, 24, 24}, {3, 32, 21}};
    for (const auto& c : cases) {
        m.mPictureSize = c.size;
        Paint(m);
        EXPECT_EQ(m.mPictureWidth, c.w) << c.size;
        EXPECT_EQ(m.mPictureHeight, c.h) << c.size; // 32 does not fit 25 rows: 25 - 4
    }
}

gdi::Picture Solid(gdi::PictureType type, gdi::ColorRef c, int size = 8) {
    gdi::Picture p =
        gdi::Picture::MakeBitmap(size, size, std::vector<gdi::Pixel>(size * size, gdi::PixelFromColor(c)));
    p.type = type;
    return p;
}

TEST_F(RedrawTest, HotAndCheckedLooksUseTheHoverPicture) {
    ButtonModel m = looks::MakeButton(2);
    m.mPicture = std::make_shared<gdi::Picture>(Solid(gdi::PictureType::Bitmap, 0x0000FF));
    m.mPictureHover = std::make_shared<gdi::Picture>(Solid(gdi::PictureType::Bitmap, 0x00FF00));
    m.mPictureAlign = 4;
    m.mCaption.clear();
    Paint(m);
    EXPECT_EQ(s.GetPixel(28, 12), 0x0000FFu);
    m.mButtonState = ButtonState::Hot;
    Paint(m);
    EXPECT_EQ(s.GetPixel(28, 12), 0x00FF00u);
    m.mButtonState = ButtonState::Normal;
    looks::ApplyLook(m, Look::Checked);
    Paint(m);
    EXPECT_EQ(s.GetPixel(28, 12), 0x00FF00u);
    // A hover picture of another kind is not used.
    m.mCheckBoxMode = false;
    m.mButtonState = ButtonState::Hot;
    m.mPictureHover = std::make_shared<gdi::Picture>(Solid(gdi::PictureType::Icon, 0x00FF00));
    Paint(m);
    EXPECT_EQ(s.GetPixel(28, 12), 0x0000FFu);
}

TEST_F(RedrawTest, DisabledPictureIsGrey) {
    ButtonModel m = looks::MakeButton(0);
    m.mPicture = std::make_shared<gdi::Picture>(Solid(gdi::PictureType::Bitmap, gdi::Rgb(30, 60, 90)));
    m.mPictureAlign = 4;
    looks::ApplyLook(m, Look::Disabled);
    Paint(m);
    EXPECT_EQ(s.GetPixel(28, 12), gdi::Rgb(60, 60, 60));
}

TEST_F(RedrawTest, PictureMovesWithThePressedStandardButton) {
    ButtonModel m = looks::MakeButton(0);
    m.mPicture = std::make_shared<gdi::Picture>(Solid(gdi::PictureType::Bitmap, 0x0000FF));
    m.mPictureAlign = 4;
    Paint(m);
    // 8 x 8 picture centred: (24, 8) to (31, 15).
    EXPECT_EQ(s.GetPixel(24, 8), 0x0000FFu);
    EXPECT_NE(s.GetPixel(32, 16), 0x0000FFu);
    m.mButtonState = ButtonState::Pressed;
    Paint(m);
    EXPECT_NE(s.GetPixel(24, 8), 0x0000FFu);
    EXPECT_EQ(s.GetPixel(32, 16), 0x0000FFu);
}

} // namespace
} // namespace trimvox::mxbutton
