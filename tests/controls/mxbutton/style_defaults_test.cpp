// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/style_defaults.h"

#include <gtest/gtest.h>

namespace trimvox::mxbutton {
namespace {

// System colours come back tagged, so a test sees that they were translated.
OleColor FakeResolve(OleColor c) {
    return (c & 0x80000000u) ? 0x00AA0000u | (c & 0xFFu) : c;
}
constexpr OleColor kFace = 0x00AA000F;
constexpr OleColor kText = 0x00AA0012;
constexpr OleColor kUntouched = 0x00123456;

struct StyleRow {
    std::int32_t style;
    OleColor back;
    OleColor fore;
    bool focusRect;
};

class StyleDefaults : public ::testing::TestWithParam<StyleRow> {};

TEST_P(StyleDefaults, SetFaceCaptionColourAndFocusRect) {
    const StyleRow row = GetParam();
    ButtonModel m;
    m.mBackColor = kUntouched;
    m.mForeColor = kUntouched;
    m.mShowFocusRect = !row.focusRect;
    m.mButtonStyle = row.style;
    ApplyStyleDefaults(m, FakeResolve);
    EXPECT_EQ(m.mBackColor, row.back);
    EXPECT_EQ(m.mForeColor, row.fore);
    EXPECT_EQ(m.mShowFocusRect, row.focusRect);
}

INSTANTIATE_TEST_SUITE_P(
    AllStyles, StyleDefaults,
    ::testing::Values(StyleRow{0, kFace, kText, true}, StyleRow{1, kFace, kText, true},
                      StyleRow{2, 0xE7EBEC, kText, false}, StyleRow{3, kFace, kText, false},
                      StyleRow{4, 0xE3E3E3, kText, false}, StyleRow{5, 0xAA6D00, 0xFFFFFF, true},
                      StyleRow{6, 0xE1D6D5, kText, true}, StyleRow{7, 0xFFD1AD, kText, false},
                      StyleRow{8, kFace, kText, false}, StyleRow{9, kFace, kText, false},
                      StyleRow{10, 0xFFD1AD, kText, false}, StyleRow{11, kFace, kText, false},
                      StyleRow{12, kFace, kText, false}, StyleRow{13, 0xFCE1CA, kText, false},
                      StyleRow{14, 0xD0D0D0, kText, false}, StyleRow{15, 0xE6CAA7, kText, true},
                      // Outside the table: the face stays, the caption colour resets, no focus rectangle.
                      StyleRow{16, kUntouched, kText, false}, StyleRow{-1, kUntouched, kText, false}));

} // namespace
} // namespace trimvox::mxbutton
