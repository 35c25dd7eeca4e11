// SPDX-License-Identifier: GPL-3.0-or-later
// Caption text drawn with Qt's font engine into the surface.

#include "platform/gdi/qt_text_renderer.h"
#include "platform/gdi/surface.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace trimvox::gdi {
namespace {

int InkedPixels(const Surface& s, ColorRef bg, const Rect& in) {
    int n = 0;
    for (int y = in.top; y < in.bottom; ++y)
        for (int x = in.left; x < in.right; ++x)
            n += s.GetPixel(x, y) != bg ? 1 : 0;
    return n;
}

TEST(QtTextRendererTest, MeasuresWiderTextWiderAndEmptyTextAsNothing) {
    QtTextRenderer r;
    const FontDescription f;
    const TextExtent one = r.Measure(f, u"W");
    const TextExtent two = r.Measure(f, u"WW");
    EXPECT_GT(one.cx, 0);
    EXPECT_GT(one.cy, 8);
    EXPECT_GT(two.cx, one.cx);
    EXPECT_EQ(r.Measure(f, u""), (TextExtent{0, 0}));
    FontDescription big = f;
    big.size = 16;
    EXPECT_GT(r.Measure(big, u"W").cy, one.cy);
}

TEST(QtTextRendererTest, DrawsOnlyInsideTheClipRectangle) {
    QtTextRenderer r;
    Surface s(80, 30);
    s.SetBackColor(0xFFFFFF);
    s.Clear();
    r.Draw(s, {}, 0x000000, {10, 5, 30, 25}, 10, 5, u"WWWWWWWW", TextRenderer::kNoUnderline);
    EXPECT_GT(InkedPixels(s, 0xFFFFFF, {10, 5, 30, 25}), 0);
    EXPECT_EQ(InkedPixels(s, 0xFFFFFF, {30, 0, 80, 30}), 0);
    EXPECT_EQ(InkedPixels(s, 0xFFFFFF, {0, 0, 10, 30}), 0);
}

TEST(QtTextRendererTest, ChineseCaptionsFindAFontWithTheirGlyphs) {
    QtTextRenderer r;
    FontDescription f;
    f.name = "SimSun";
    f.size = 9;
    f.charset = 134;
    const TextExtent e = r.Measure(f, u"打开");
    EXPECT_GE(e.cx, 2 * 10);
    Surface s(60, 30);
    s.SetBackColor(0xFFFFFF);
    s.Clear();
    r.Draw(s, f, 0, {0, 0, 60, 30}, 2, 2, u"打开", TextRenderer::kNoUnderline);
    EXPECT_GT(InkedPixels(s, 0xFFFFFF, {0, 0, 60, 30}), 20);
}

TEST(QtTextRendererTest, UnderlinesTheAccessKeyCharacter) {
    QtTextRenderer r;
    Surface plain(60, 30), marked(60, 30);
    for (Surface* s : {&plain, &marked}) {
        s->SetBackColor(0xFFFFFF);
        s->Clear();
    }
    r.Draw(plain, {}, 0, {0, 0, 60, 30}, 2, 2, u"ab", TextRenderer::kNoUnderline);
    r.Draw(marked, {}, 0, {0, 0, 60, 30}, 2, 2, u"ab", 0);
    EXPECT_GT(InkedPixels(marked, 0xFFFFFF, {0, 0, 60, 30}), InkedPixels(plain, 0xFFFFFF, {0, 0, 60, 30}));
}

} // namespace
} // namespace trimvox::gdi

int main(int argc, char** argv) {
    // Text needs no screen: draw offscreen unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
