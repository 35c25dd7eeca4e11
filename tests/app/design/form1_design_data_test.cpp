// SPDX-License-Identifier: GPL-3.0-or-later
// Form1's design as the program carries it: places, captions, tab order, the buttons' stored instances and
// the pictures, icon and cursor they refer to.

#include "app/design/design_pictures.h"
#include "app/design/design_resources.h"
#include "app/design/form1_expected.h"
#include "app/design/form_design.h"
#include "app/design/stored_instance.h"
#include "controls/mxbutton/font_object.h"
#include "controls/mxbutton/persistence.h"
#include "platform/gdi/picture.h"

#include <QFile>

#include <gtest/gtest.h>

namespace trimvox {
namespace {
using namespace form1_expected;

const FormDesign& Design() {
    static const FormDesign design = [] {
        EnsureDesignResources();
        auto d = LoadFormDesign(QString::fromLatin1(kForm1DesignPath));
        EXPECT_TRUE(d.has_value());
        return d.value_or(FormDesign{});
    }();
    return design;
}

TEST(Form1DesignData, Window) {
    const FormDesign& d = Design();
    EXPECT_EQ(d.caption, QStringLiteral("Trimvox"));
    EXPECT_EQ(TwipsToPixels(d.clientWidth), 568);
    EXPECT_EQ(TwipsToPixels(d.clientHeight), 265);
    EXPECT_EQ(d.borderStyle, QStringLiteral("fixedSingle"));
    EXPECT_TRUE(d.minButton);
    EXPECT_FALSE(d.maxButton);
}

TEST(Form1DesignData, PlacesCaptionsAndTabIndexes) {
    for (const Expected& e : kControls) {
        SCOPED_TRACE(std::string(e.name) + "(" + std::to_string(e.index) + ")");
        const ControlDesign* c = Design().Find(QString::fromUtf8(e.name), e.index);
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->container, QString::fromUtf8(e.container));
        EXPECT_EQ(TwipsToPixels(c->left), e.left);
        EXPECT_EQ(TwipsToPixels(c->top), e.top);
        EXPECT_EQ(TwipsToPixels(c->width), e.width);
        EXPECT_EQ(TwipsToPixels(c->height), e.height);
        // Twips are whole pixels throughout the design.
        EXPECT_EQ(c->left % kTwipsPerPixel, 0);
        EXPECT_EQ(c->width % kTwipsPerPixel, 0);
        EXPECT_EQ(c->tabIndex, e.tabIndex);
        const QString caption = c->kind == QStringLiteral("mxbutton")
                                    ? c->stored.value(QStringLiteral("caption")).toString()
                                    : c->caption;
        if (e.caption != nullptr) {
            EXPECT_EQ(caption, QString::fromUtf8(e.caption));
        } else {
            EXPECT_FALSE(caption.isEmpty());
        }
    }
    // Seventeen visible controls and two timers, nothing else.
    EXPECT_EQ(Design().controls.size(), std::size(kControls) + 2);
}

TEST(Form1DesignData, ButtonsRowMeetsThePlayersBottomEdge) {
    const ControlDesign* wmp = Design().Find(QStringLiteral("wmp"));
    ASSERT_NE(wmp, nullptr);
    for (int i = 0; i < 6; ++i) {
        const ControlDesign* b = Design().Find(QStringLiteral("mxb"), i);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->top + b->height, wmp->top + wmp->height) << i;
        if (i > 0) {
            // 840 twips apart: each overlaps its right-hand neighbour by one pixel.
            EXPECT_EQ(b->left - Design().Find(QStringLiteral("mxb"), i - 1)->left, 840);
        }
    }
}

TEST(Form1DesignData, Timers) {
    const ControlDesign* t1 = Design().Find(QStringLiteral("Timer1"));
    const ControlDesign* t2 = Design().Find(QStringLiteral("Timer2"));
    ASSERT_TRUE(t1 && t2);
    EXPECT_EQ(t1->interval, 200);
    EXPECT_FALSE(t1->enabled);
    EXPECT_EQ(t2->interval, 200);
    EXPECT_TRUE(t2->enabled);
}

TEST(Form1DesignData, CreditLineIsBoldSongWithTheHandCursor) {
    const ControlDesign* l8 = Design().Find(QStringLiteral("Label8"));
    ASSERT_NE(l8, nullptr);
    ASSERT_TRUE(l8->font.has_value());
    EXPECT_EQ(l8->font->name, QStringLiteral("宋体"));
    EXPECT_DOUBLE_EQ(l8->font->size, 10.5);
    EXPECT_EQ(l8->font->weight, 700);
    EXPECT_EQ(l8->font->charset, 134);
    EXPECT_EQ(l8->mousePointer, 99);
    EXPECT_EQ(l8->mouseIcon, QString::fromLatin1(kHandCursorPath));
    // The other labels and the frames keep the window's font.
    for (const char* name : {"Frame1", "Frame2", "Label1", "Label4", "Label7"}) {
        EXPECT_FALSE(Design().Find(QString::fromLatin1(name))->font.has_value()) << name;
    }
}

// The stored instances restore as the buttons of the main window: the control reads them back with its
// own key spellings, whatever their case.
TEST(Form1DesignData, ButtonsRestoreFromTheirStoredInstances) {
    const struct {
        int width, height;
    } pictureSizes[] = {{15, 16}, {15, 17}, {15, 17}, {14, 17}, {15, 15}, {19, 19}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const ControlDesign* b = Design().Find(QStringLiteral("mxb"), i);
        ASSERT_NE(b, nullptr);
        for (const QString& key : b->stored.keys()) {
            EXPECT_EQ(key, key.toLower());
        }
        const mxbutton::PropertyStore store = StoredInstance(b->stored);
        mxbutton::ButtonModel model;
        mxbutton::PointerState pointer;
        mxbutton::BasicButtonHost host;
        mxbutton::ReadStoredProperties(model, pointer, store, host, [](mxbutton::OleColor c) { return c; });
        EXPECT_EQ(model.mButtonStyle, 14);
        EXPECT_EQ(model.mBackColor, 0xD0D0D0u);
        EXPECT_EQ(model.mCaption, b->stored.value(QStringLiteral("caption")).toString());
        ASSERT_TRUE(model.mFont);
        EXPECT_EQ(model.mFont->Name(), "宋体");
        EXPECT_DOUBLE_EQ(model.mFont->Size(), 9.0);
        EXPECT_EQ(model.mFont->Weight(), 400);
        EXPECT_EQ(model.mFont->Charset(), 134);
        EXPECT_FALSE(model.mFont->Italic());
        EXPECT_FALSE(model.mFont->Underline());
        EXPECT_EQ(pointer.mousePointer, 99);
        ASSERT_TRUE(pointer.mouseIcon);
        EXPECT_EQ(pointer.mouseIcon->type, gdi::PictureType::Icon);
        ASSERT_TRUE(model.mPicture);
        EXPECT_EQ(model.mPicture->type, gdi::PictureType::Bitmap);
        EXPECT_EQ(model.mPicture->width, pictureSizes[i].width);
        EXPECT_EQ(model.mPicture->height, pictureSizes[i].height);
        // Everything else keeps the control's defaults.
        EXPECT_FALSE(model.mShowFocusRect);
        EXPECT_EQ(model.mPictureAlign, 1);
        EXPECT_EQ(model.mCaptionAlign, 1);
        EXPECT_FALSE(model.mPictureHover);
    }
}

TEST(Form1DesignData, HandCursorIsTwoColour32By32WithTheFingertipAsHotSpot) {
    EnsureDesignResources();
    const DesignCursor cursor = LoadDesignCursor(QString::fromLatin1(kHandCursorPath));
    ASSERT_TRUE(cursor.picture);
    EXPECT_EQ(cursor.picture->width, 32);
    EXPECT_EQ(cursor.picture->height, 32);
    EXPECT_EQ(cursor.hotSpot, QPoint(5, 0));
    EXPECT_EQ(cursor.picture->hotSpotX, 5);
    EXPECT_EQ(cursor.picture->hotSpotY, 0);
    // The hot spot is on the hand, not on a transparent pixel, and only black and white are drawn.
    EXPECT_FALSE(cursor.picture->Transparent(5, 0));
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (!cursor.picture->Transparent(x, y)) {
                const gdi::Pixel p = cursor.picture->PixelAt(x, y) & gdi::kPixelRgbMask;
                EXPECT_TRUE(p == 0 || p == 0xFFFFFF) << x << "," << y;
            }
        }
    }
}

TEST(Form1DesignData, IconHoldsFourSizesOf256Colours) {
    EnsureDesignResources();
    QFile file(QString::fromLatin1(kProgramIconPath));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray b = file.readAll();
    const auto le16 = [&b](int at) {
        return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
    };
    const auto le32 = [&](int at) { return le16(at) | le16(at + 2) << 16; };
    ASSERT_EQ(le16(2), 1); // an icon, not a cursor
    ASSERT_EQ(le16(4), 4);
    const int sizes[] = {48, 32, 24, 16};
    for (int i = 0; i < 4; ++i) {
        const int entry = 6 + 16 * i;
        EXPECT_EQ(static_cast<unsigned char>(b[entry]), sizes[i]);
        EXPECT_EQ(static_cast<unsigned char>(b[entry + 1]), sizes[i]);
        const int offset = le32(entry + 12);
        EXPECT_EQ(le16(offset + 14), 8) << "bits per pixel of size " << sizes[i];
    }
}

} // namespace
} // namespace trimvox
