// SPDX-License-Identifier: GPL-3.0-or-later
// The rounded pixel-art painter: which picture it chooses, what it does around the drawing, and the drawn
// pixels against reference images drawn independently from the same tables.

#include "controls/mxbutton/render/pixel_art_tables.h"
#include "controls/mxbutton/render/redraw.h"
#include "controls/mxbutton/render/style_pixel_art.h"

#include <QColor>
#include <QDir>
#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace trimvox::mxbutton {
namespace {

constexpr gdi::ColorRef kGoldenBackground = 0xF0F0F0;
constexpr OleColor kContainerColor = 0x00C0B0A0;

struct Painted {
    gdi::Surface surface;
    int regionCalls = 0;
};

Painted Paint(int W, int H, ButtonState state, const ButtonModel& model = {}) {
    Painted out{gdi::Surface(W, H), 0};
    out.surface.FillRect(gdi::Rect{0, 0, W, H}, kGoldenBackground);
    ButtonModel m = model;
    m.mWidth = W;
    m.mHeight = H;
    RedrawContext env;
    env.containerBackColor = kContainerColor;
    env.buildWindowRegion = [&out] { ++out.regionCalls; };
    PaintContext pc{m, out.surface, env, W, H, 0};
    PaintRoundedPixelArt(pc, state);
    return out;
}

// Writes the actual image and a difference image next to the test binary; returns the number of pixels
// that differ.
int CompareWithGolden(const gdi::Surface& s, const QString& name) {
    const QString goldenPath = QStringLiteral(PIXELART_GOLDEN_DIR "/") + name + QStringLiteral(".png");
    const QImage golden = QImage(goldenPath).convertToFormat(QImage::Format_RGB32);
    if (golden.isNull()) {
        ADD_FAILURE() << "cannot read " << goldenPath.toStdString();
        return -1;
    }
    if (golden.width() != s.Width() || golden.height() != s.Height()) {
        ADD_FAILURE() << "golden size differs for " << name.toStdString();
        return -1;
    }
    QImage actual(s.Width(), s.Height(), QImage::Format_RGB32);
    QImage diff(s.Width(), s.Height(), QImage::Format_RGB32);
    int differing = 0;
    for (int y = 0; y < s.Height(); ++y) {
        for (int x = 0; x < s.Width(); ++x) {
            const gdi::ColorRef c = s.GetPixel(x, y);
            const QRgb a = qRgb(gdi::RedOf(c), gdi::GreenOf(c), gdi::BlueOf(c));
            actual.setPixel(x, y, a);
            const bool same = (golden.pixel(x, y) & 0xFFFFFF) == (a & 0xFFFFFF);
            diff.setPixel(x, y, same ? qRgb(255, 255, 255) : qRgb(255, 0, 0));
            differing += same ? 0 : 1;
        }
    }
    if (differing != 0) {
        actual.save(QDir::currentPath() + "/" + name + "_actual.png");
        diff.save(QDir::currentPath() + "/" + name + "_diff.png");
    }
    return differing;
}

TEST(RoundedPixelArt, DrawsThePicturesAsTheReferenceImages) {
    const struct {
        ButtonState state;
        const char* name;
    } pictures[] = {
        {ButtonState::Normal, "normal"},
        {ButtonState::Hot, "hot"},
        {ButtonState::Pressed, "pressed"},
    };
    // 57 x 25 is the main window's buttons; 30 x 20 is small enough for the corners and sides to overlap.
    const struct { int w, h; } sizes[] = {{57, 25}, {120, 40}, {30, 20}};
    for (const auto& p : pictures) {
        for (const auto& size : sizes) {
            const QString name = QStringLiteral("%1_%2x%3").arg(p.name).arg(size.w).arg(size.h);
            SCOPED_TRACE(name.toStdString());
            Painted painted = Paint(size.w, size.h, p.state);
            EXPECT_EQ(CompareWithGolden(painted.surface, name), 0);
        }
    }
}

// The picture shown is told by its centre colour.
gdi::ColorRef CentreOf(const Painted& p) {
    return p.surface.GetPixel(p.surface.Width() / 2, p.surface.Height() / 2);
}

TEST(RoundedPixelArt, ChoosesThePicture) {
    struct Case {
        ButtonState state;
        bool checkBoxMode, value, parentActive, focus, isDefault;
        const PixelArtPicture* expected;
    };
    const PixelArtPicture* normal = &kPixelArtNormal;
    const PixelArtPicture* hot = &kPixelArtHot;
    const PixelArtPicture* pressed = &kPixelArtPressed;
    const Case cases[] = {
        {ButtonState::Normal, false, false, false, false, false, normal},
        {ButtonState::Hot, false, false, false, false, false, hot},
        {ButtonState::Pressed, false, false, false, false, false, pressed},
        // Focus or being the default button shows hot while the parent window is active ...
        {ButtonState::Normal, false, false, true, true, false, hot},
        {ButtonState::Normal, false, false, true, false, true, hot},
        {ButtonState::Pressed, false, false, true, true, false, pressed},
        // ... and nothing while it is not.
        {ButtonState::Normal, false, false, false, true, true, normal},
        {ButtonState::Normal, false, false, true, false, false, normal},
        // A checked check box is pressed whatever the state and focus.
        {ButtonState::Normal, true, true, false, false, false, pressed},
        {ButtonState::Hot, true, true, true, true, false, pressed},
        {ButtonState::Normal, true, false, false, false, false, normal},
        {ButtonState::Normal, false, true, false, false, false, normal},
    };
    for (const Case& c : cases) {
        ButtonModel m;
        m.mCheckBoxMode = c.checkBoxMode;
        m.mValue = c.value;
        m.mParentActive = c.parentActive;
        m.mHasFocus = c.focus;
        m.mIsDefault = c.isDefault;
        const Painted p = Paint(57, 25, c.state, m);
        SCOPED_TRACE(testing::Message()
                     << "state " << static_cast<int>(c.state) << " checkbox " << c.checkBoxMode << " value "
                     << c.value << " active " << c.parentActive << " focus " << c.focus << " default "
                     << c.isDefault);
        EXPECT_EQ(CentreOf(p), c.expected->centre);
        // Only the normal picture rebuilds the rounded window outline.
        EXPECT_EQ(p.regionCalls, c.expected == normal ? 1 : 0);
        // The surface takes the container's colour for the next clear, whichever picture is shown.
        EXPECT_EQ(p.surface.BackColor(), kContainerColor);
    }
}

// Through the whole repaint: the first paint leaves the pixels outside the rounded corners in the surface's
// old colour; from the next repaint on they show the container's colour.
TEST(RoundedPixelArt, CornersOutsideTheOutlineShowTheContainerFromTheNextRepaint) {
    gdi::Surface s(57, 25);
    s.SetBackColor(0x00FF00FF);
    ButtonModel m;
    m.mButtonStyle = 14;
    m.mEnabled = true;
    RedrawContext env;
    env.containerBackColor = kContainerColor;
    Redraw(m, s, env);
    EXPECT_EQ(s.GetPixel(0, 0), 0x00FF00FFu);
    Redraw(m, s, env);
    for (const auto& [x, y] : {std::pair{0, 0}, {56, 0}, {0, 24}, {56, 24}}) {
        EXPECT_EQ(s.GetPixel(x, y), kContainerColor) << x << "," << y;
    }
    // Inside, the normal picture's centre.
    EXPECT_EQ(s.GetPixel(28, 12), kPixelArtNormal.centre);
}

} // namespace
} // namespace trimvox::mxbutton
