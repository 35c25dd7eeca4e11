// SPDX-License-Identifier: GPL-3.0-or-later
// Placement of the picture and the caption.

#include "controls/mxbutton/render/caption_layout.h"

#include <gtest/gtest.h>

namespace trimvox::mxbutton {
namespace {

// A 100 x 40 button with a 16 x 16 picture and a 30 x 14 caption.
LayoutInput Base(int pictureAlign, int captionAlign, bool picture = true) {
    LayoutInput in;
    in.width = 100;
    in.height = 40;
    in.pictureWidth = 16;
    in.pictureHeight = 16;
    in.textWidth = 30;
    in.textHeight = 14;
    in.pictureAlign = pictureAlign;
    in.captionAlign = captionAlign;
    in.hasPicture = picture;
    in.style = 2; // no offsets
    return in;
}

struct Row {
    int pictureAlign, captionAlign;
    int px, py, tx, ty;
};

TEST(CaptionLayoutTest, PictureAlignRowsWithACentredCaption) {
    const Row rows[] = {
        {0, 1, 4, 12, 43, 13},  {1, 1, 27, 12, 46, 13}, {2, 1, 80, 12, 35, 13}, {3, 1, 57, 12, 24, 13},
        {4, 1, 42, 12, 35, 13}, {5, 1, 42, 4, 35, 23},  {6, 1, 42, 5, 35, 23},  {7, 1, 42, 20, 35, 3},
        {8, 1, 42, 19, 35, 3},  {9, 1, 1, 1, 0, 0}, // unknown value: both positions 0, picture kept on the
                                                    // surface
    };
    for (const Row& r : rows) {
        const Layout l = LayoutPictureAndCaption(Base(r.pictureAlign, r.captionAlign));
        EXPECT_EQ(l.px, r.px) << "PictureAlign " << r.pictureAlign;
        EXPECT_EQ(l.py, r.py) << "PictureAlign " << r.pictureAlign;
        EXPECT_EQ(l.tx, r.tx) << "PictureAlign " << r.pictureAlign;
        EXPECT_EQ(l.ty, r.ty) << "PictureAlign " << r.pictureAlign;
    }
}

TEST(CaptionLayoutTest, LeftAndRightCaptionsMoveTheCaptionAndSomePictures) {
    const Row rows[] = {
        {0, 0, 4, 12, 24, 13},  {1, 0, 4, 12, 24, 13},  {2, 0, 80, 12, 4, 13}, {3, 0, 34, 12, 4, 13},
        {4, 0, 42, 12, 4, 13},  {7, 0, 42, 20, 4, 3},   {0, 2, 4, 12, 66, 13}, {1, 2, 46, 12, 66, 13},
        {2, 2, 80, 12, 50, 13}, {3, 2, 80, 12, 50, 13}, {5, 2, 42, 4, 66, 23}, {8, 2, 42, 19, 66, 3},
    };
    for (const Row& r : rows) {
        const Layout l = LayoutPictureAndCaption(Base(r.pictureAlign, r.captionAlign));
        EXPECT_EQ(l.px, r.px) << r.pictureAlign << "/" << r.captionAlign;
        EXPECT_EQ(l.py, r.py) << r.pictureAlign << "/" << r.captionAlign;
        EXPECT_EQ(l.tx, r.tx) << r.pictureAlign << "/" << r.captionAlign;
        EXPECT_EQ(l.ty, r.ty) << r.pictureAlign << "/" << r.captionAlign;
    }
}

TEST(CaptionLayoutTest, WithoutPictureOnlyTheCaptionIsPlaced) {
    for (const auto& [align, tx] : {std::pair{0, 4}, {1, 35}, {2, 66}, {7, 46}}) {
        const Layout l = LayoutPictureAndCaption(Base(1, align, false));
        EXPECT_EQ(l.tx, tx) << align;
        EXPECT_EQ(l.ty, 13);
        EXPECT_EQ(l.px, 0);
        EXPECT_EQ(l.py, 0);
    }
}

TEST(CaptionLayoutTest, NarrowButtonsKeepTheStepFourValueWhenItIsTooSmall) {
    LayoutInput in = Base(2, 0);
    in.width = 40; // W - tw - 4 - pw = -10, below 4: stays
    EXPECT_EQ(LayoutPictureAndCaption(in).tx, -10);
    in.captionAlign = 1; // negative: stays too
    EXPECT_EQ(LayoutPictureAndCaption(in).tx, -10);
    in = Base(3, 1);
    in.width = 40; // 20 - 15 - 8 - 3 < 0: W - tw - 4 - pw
    EXPECT_EQ(LayoutPictureAndCaption(in).tx, -10);
}

TEST(CaptionLayoutTest, EmptyCaptionPlacesThePictureByTheTableAlone) {
    LayoutInput in = Base(1, 1);
    in.textWidth = in.textHeight = 0;
    const Layout l = LayoutPictureAndCaption(in);
    EXPECT_EQ(l.px, 42);
    EXPECT_EQ(l.py, 12);
}

TEST(CaptionLayoutTest, APictureLargerThanTheButtonShrinksButStaysOnIt) {
    LayoutInput in = Base(4, 1);
    in.width = 57;
    in.height = 25;
    in.pictureWidth = in.pictureHeight = 64;
    const Layout l = LayoutPictureAndCaption(in);
    EXPECT_EQ(l.px, 1);
    EXPECT_EQ(l.py, 1);
    EXPECT_EQ(l.pictureWidth, 49);
    EXPECT_EQ(l.pictureHeight, 21);
}

TEST(CaptionLayoutTest, AccessKeyShiftsTheCaptionByThree) {
    LayoutInput in = Base(1, 1, false);
    in.hasAccessKey = true;
    EXPECT_EQ(LayoutPictureAndCaption(in).tx, 100 / 2 - 30 / 2 + 3);
}

TEST(CaptionLayoutTest, StyleAndStateOffsets) {
    const struct {
        int style;
        ButtonState state;
        int dx, dy;        // picture offset from the unshifted position
        gdi::Rect caption; // relative to (tx, ty); width 30, height 14
        bool focusRect;
    } cases[] = {
        {0, ButtonState::Pressed, 1, 1, {1, 1, 31, 15}, false},
        {1, ButtonState::Hot, 0, 0, {0, 0, 30, 14}, true},
        {8, ButtonState::Pressed, 1, 1, {1, 1, 31, 15}, false},
        {5, ButtonState::Normal, -1, -1, {-2, -2, 28, 12}, false},
        {5, ButtonState::Pressed, 2, 2, {1, 2, 31, 15}, false},
        {14, ButtonState::Normal, 0, 0, {0, -1, 30, 13}, false},
        {14, ButtonState::Pressed, 0, 0, {0, -1, 30, 13}, false},
        {6, ButtonState::Normal, 0, 0, {0, 0, 30, 14}, true},
        {6, ButtonState::Pressed, 0, 0, {0, 0, 30, 14}, false},
        {2, ButtonState::Pressed, 0, 0, {0, 0, 30, 14}, false},
    };
    for (const auto& c : cases) {
        LayoutInput in = Base(4, 1);
        in.style = c.style;
        in.state = c.state;
        const Layout l = LayoutPictureAndCaption(in);
        EXPECT_EQ(l.px, 42 + c.dx) << c.style;
        EXPECT_EQ(l.py, 12 + c.dy) << c.style;
        const gdi::Rect expected{35 + c.caption.left, 13 + c.caption.top, 35 + c.caption.right,
                                 13 + c.caption.bottom};
        EXPECT_EQ(l.captionRect, expected) << c.style;
        EXPECT_EQ(l.captionFocusRect.has_value(), c.focusRect) << c.style;
        if (c.focusRect) {
            EXPECT_EQ(*l.captionFocusRect, (gdi::Rect{33, 13, 66, 28}));
        }
    }
}

} // namespace
} // namespace trimvox::mxbutton
