// SPDX-License-Identifier: GPL-3.0-or-later
// Exact colours at the pixels that each look fixes: edges, frames, corner pixels, focus marks.

#include "button_looks.h"

#include "controls/mxbutton/render/drawing_ops.h"

#include <gtest/gtest.h>

#include <vector>

namespace trimvox::mxbutton {
namespace {

using looks::Look;
constexpr int W = 57;
constexpr int H = 25;

constexpr ColorRef Hex(std::uint32_t rrggbb) {
    return gdi::Rgb(static_cast<int>(rrggbb >> 16), static_cast<int>((rrggbb >> 8) & 0xFF),
                    static_cast<int>(rrggbb & 0xFF));
}
constexpr ColorRef Inverted(ColorRef c) {
    return c ^ 0xFFFFFF;
}

struct Probe {
    int x, y;
    ColorRef colour;
};

struct PixelCase {
    const char* name;
    int style;
    Look look;
    std::vector<Probe> probes;
};

void PrintTo(const PixelCase& c, std::ostream* os) {
    *os << c.name;
}

class PainterPixels : public ::testing::TestWithParam<PixelCase> {};

TEST_P(PainterPixels, FixedPixels) {
    const PixelCase& c = GetParam();
    const gdi::Surface s = looks::Render(c.style, c.look, W, H);
    for (const Probe& p : c.probes)
        EXPECT_EQ(s.GetPixel(p.x, p.y), p.colour) << std::hex << "at " << std::dec << p.x << "," << p.y;
}

const ColorRef kFace = 0xF0F0F0;
const ColorRef kWorkspace = 0xABABAB;

INSTANTIATE_TEST_SUITE_P(
    Looks, PainterPixels,
    ::testing::Values(
        PixelCase{"StandardRaised",
                  0,
                  Look::Normal,
                  {{0, 0, 0xE3E3E3},
                   {W - 1, 0, 0x696969},
                   {1, 1, 0xFFFFFF},
                   {W - 2, H - 2, 0xA0A0A0},
                   {28, 12, kFace}}},
        PixelCase{"StandardFocusedOutlineAndDottedRectangle",
                  0,
                  Look::Focused,
                  {{0, 0, 0},
                   {W - 1, H - 1, 0},
                   {W - 2, 5, kWorkspace},
                   {5, H - 2, kWorkspace},
                   {1, 1, 0xFFFFFF},
                   {W - 3, H - 3, 0xA0A0A0},
                   {4, 4, Inverted(kFace)},
                   {5, 4, kFace},
                   {W - 5, 6, Inverted(kFace)},
                   {28, 12, kFace}}},
        PixelCase{"StandardPressed",
                  0,
                  Look::Pressed,
                  {{0, 0, 0}, {1, 1, Hex(0xACA899)}, {W - 2, H - 2, Hex(0xACA899)}, {2, 2, kFace}}},
        PixelCase{"StandardCheckedIsSunken",
                  0,
                  Look::Checked,
                  {{0, 0, 0xA0A0A0}, {1, 1, 0x696969}, {W - 1, H - 1, 0xFFFFFF}, {28, 12, 0xF5F5F5}}},
        PixelCase{"ThinEdgePressedGreyTopLeftWhiteBottomRight",
                  1,
                  Look::Pressed,
                  {{0, 5, 0x6D6D6D},
                   {5, 0, 0x6D6D6D},
                   {W - 1, 0, 0x6D6D6D},
                   {W - 1, 5, 0xFFFFFF},
                   {5, H - 1, 0xFFFFFF},
                   {W - 1, H - 1, 0xFFFFFF}}},
        PixelCase{"ThinEdgeNormal", 1, Look::Normal, {{0, 0, 0xFFFFFF}, {W - 1, 0, 0xA0A0A0}, {1, 1, kFace}}},
        PixelCase{"HoverRaisedIsFlatUntilHot", 11, Look::Normal, {{0, 0, kFace}, {W - 1, H - 1, kFace}}},
        PixelCase{"HoverRaisedHot", 11, Look::Hot, {{0, 0, 0xE3E3E3}, {W - 1, H - 1, 0x696969}}},
        PixelCase{"HoverThinEdgeCheckedIsOnlyALighterFace",
                  12,
                  Look::Checked,
                  {{0, 0, 0xF5F5F5}, {W - 1, H - 1, 0xF5F5F5}, {3, 3, 0xF5F5F5}}},
        PixelCase{"RoundedHotTrackHotOrangeBorder",
                  2,
                  Look::Hot,
                  {{0, 0, Hex(0x003C74)},
                   {1, 1, gdi::Rgb(76, 136, 192)},
                   {5, 1, Hex(0xFFF0CF)},
                   {5, 2, Hex(0xFDD889)},
                   {1, 5, Hex(0xF9BD49)},
                   {W - 2, 5, Hex(0xF9BD49)},
                   {2, 5, Hex(0xFCD27A)},
                   {W - 3, 5, Hex(0xFCD27A)},
                   {5, H - 3, Hex(0xF8B330)},
                   {5, H - 2, Hex(0xE59700)}}},
        PixelCase{"RoundedHotTrackFocusedBlueBorderAndDots",
                  2,
                  Look::Focused,
                  {{5, 1, Hex(0xCEE7FF)},
                   {6, 2, Inverted(Hex(0xBCD4F6))},
                   {5, 2, Hex(0xBCD4F6)},
                   {1, 5, Hex(0x8EAFE6)},
                   {5, H - 2, Hex(0x6982EE)},
                   {5, H - 3, Hex(0x89ADE4)}}},
        PixelCase{"FlatRoundedHot",
                  3,
                  Look::Hot,
                  {{0, 0, Hex(0xCECEC3)},
                   {1, 1, ShiftColor(Hex(0xD4D4C9), -0.05f)},
                   {5, H - 2, Hex(0xD7D2C6)},
                   {5, 1, Hex(0xFEFEFC)}}},
        PixelCase{"FlatRoundedChecked",
                  3,
                  Look::Checked,
                  {{0, 0, Hex(0x7A98AF)}, {5, 5, Hex(0xFEFEFE)}, {1, 1, ShiftColor(Hex(0xA0B3C1), -0.2f)}}},
        PixelCase{"GlossyBlueFocusedFrames",
                  4,
                  Look::Focused,
                  {{0, 5, Hex(0x3275A7)},
                   {1, 5, Hex(0x48D8FB)},
                   {1, 1, Hex(0x5F96BE)},
                   {W - 2, H - 2, Hex(0x5F96BE)}}},
        PixelCase{"GlossyBlueNormal",
                  4,
                  Look::Normal,
                  {{0, 5, Hex(0x707070)}, {1, 5, 0xFFFFFF}, {1, 1, Hex(0x5F96BE)}}},
        PixelCase{"GlossyBlueDisabled",
                  4,
                  Look::Disabled,
                  {{0, 5, ShiftColor(0xE3E3E3, -0.25f)},
                   {1, 5, ShiftColor(0xE3E3E3, 0.25f)},
                   {1, 1, ShiftColor(0xE3E3E3, -0.03f)}}},
        PixelCase{"DropShadowNormal",
                  5,
                  Look::Normal,
                  {{10, 10, 0xAA6D00},
                   {W - 5, 10, ShiftColor(0xAA6D00, 0.3f)},
                   {W - 4, 10, 0x808080},
                   {W - 3, 10, 0xA0A0A0},
                   {W - 2, 10, 0xC0C0C0},
                   {W - 1, 10, kFace},
                   {3, 3, 0xAA6D00}}},
        PixelCase{"DropShadowFocused",
                  5,
                  Look::Focused,
                  {{3, 3, Inverted(0xAA6D00)}, {4, 3, 0xAA6D00}, {W - 7, H - 7, Inverted(0xAA6D00)}}},
        PixelCase{"DropShadowPressed",
                  5,
                  Look::Pressed,
                  {{0, 0, kFace},
                   {2, 2, kFace},
                   {3, 3, ShiftColor(0xAA6D00, 0.3f)},
                   {W - 1, H - 1, ShiftColor(0xAA6D00, 0.3f)},
                   {6, 6, 0xAA6D00}}},
        PixelCase{"HalfGradientCorners",
                  6,
                  Look::Normal,
                  {{1, 1, ShiftColor(0xE1D6D5, 0.05f)},
                   {0, 5, ShiftColor(0xE1D6D5, -0.2f)},
                   {5, H - 1, ShiftColor(0xE1D6D5, -0.25f)},
                   {5, 1, 0xFFFFFF}}},
        PixelCase{"AmberGlossHot",
                  7,
                  Look::Hot,
                  {{0, 0, ShiftColor(0xFFD1AD, -0.34f)},
                   {5, 1, Hex(0xFFFDDB)},
                   {5, 8, Hex(0xFFEAAC)},
                   {5, 9, Hex(0xFFD767)}}},
        PixelCase{"BlueHoverDisabledIsFlat",
                  8,
                  Look::Disabled,
                  {{0, 0, kFace}, {1, 1, kFace}, {W - 1, H - 1, kFace}}},
        PixelCase{"BlueHoverHot",
                  8,
                  Look::Hot,
                  {{0, 0, Hex(0x619ECA)},
                   {1, 5, 0xFFFFFF},
                   {1, 1, ShiftColor(Hex(0x619ECA), 0.3f)},
                   {5, 2, Hex(0xF0F9FD)}}},
        PixelCase{"ToolbarHighlightChecked",
                  9,
                  Look::Checked,
                  {{0, 0, ShiftColor(Hex(0x4B4B6F), 0.05f)}, {5, 5, Hex(0xE1E6E8)}}},
        PixelCase{"ToolbarHighlightHot", 9, Look::Hot, {{0, 0, Hex(0x316AC5)}, {5, 5, Hex(0xC1D2EE)}}},
        PixelCase{
            "SoftGradientCorners",
            10,
            Look::Normal,
            {{1, 1, ShiftColor(0xFFD1AD, -0.5f)}, {0, 5, ShiftColor(0xFFD1AD, -0.33f)}, {5, 5, 0xFFD1AD}}},
        PixelCase{"OrangeHoverNormalHasNoOutline", 13, Look::Normal, {{0, 0, ShiftColor(0xFCE1CA, 0.05f)}}},
        PixelCase{"OrangeHoverHot", 13, Look::Hot, {{0, 0, Hex(0x000080)}, {5, 1, Hex(0xFFF3CA)}}},
        PixelCase{"HorizontalGradientFocused",
                  15,
                  Look::Focused,
                  {{0, 5, Hex(0x7E807D)}, {1, 5, 0xE6CAA7}, {3, 3, Inverted(gdi::Rgb(168, 203, 231))}}}),
    [](const ::testing::TestParamInfo<PixelCase>& info) { return std::string(info.param.name); });

TEST(RoundedHotTrackTest, FocusedAndHotShowsTheOrangeBorderAndTheDots) {
    ButtonModel m = looks::MakeButton(2);
    looks::ApplyLook(m, Look::Focused);
    looks::ApplyLook(m, Look::Hot);
    gdi::Surface s(W, H);
    Redraw(m, s, looks::RunTimeContext());
    EXPECT_EQ(s.GetPixel(5, 1), Hex(0xFFF0CF));
    EXPECT_EQ(s.GetPixel(5, 2), Hex(0xFDD889));
    EXPECT_EQ(s.GetPixel(6, 2), Inverted(Hex(0xFDD889)));
    // Without an active parent window neither the dots nor the blue border show.
    m.mParentActive = false;
    m.mButtonState = ButtonState::Normal;
    Redraw(m, s, looks::RunTimeContext());
    EXPECT_NE(s.GetPixel(5, 1), Hex(0xCEE7FF));
    EXPECT_NE(s.GetPixel(6, 2), Inverted(Hex(0xBCD4F6)));
}

TEST(AmberGlossTest, TwentySevenPixelsHighSplitsAfterTenRows) {
    const gdi::Surface s = looks::Render(7, Look::Hot, W, 27);
    EXPECT_EQ(s.GetPixel(5, 9), Hex(0xFFEAAC));  // last row of the upper band
    EXPECT_EQ(s.GetPixel(5, 10), Hex(0xFFD767)); // first row of the lower band
    EXPECT_EQ(s.GetPixel(5, 26), ShiftColor(0xFFD1AD, -0.34f));
}

} // namespace
} // namespace trimvox::mxbutton
