// SPDX-License-Identifier: GPL-3.0-or-later
// Every look of every style (RoundedPixelArt has its own) against its golden image, without captions.
// Re-record after a deliberate change: TRIMVOX_RECORD_GOLDENS=1 ctest -R MxbuttonGolden

#include "button_looks.h"
#include "golden_image.h"

#include <gtest/gtest.h>

#include <string>

namespace trimvox::mxbutton {
namespace {

using looks::Look;

struct GoldenCase {
    int style;
    Look look;
};

class MxbuttonGolden : public ::testing::TestWithParam<GoldenCase> {};

std::string Name(const GoldenCase& c) {
    return std::string(looks::StyleName(c.style)) + "_" + looks::LookName(c.look);
}

TEST_P(MxbuttonGolden, MatchesGoldenImage) {
    const GoldenCase c = GetParam();
    EXPECT_TRUE(testing_support::MatchesGolden(looks::Render(c.style, c.look), Name(c)));
}

std::vector<GoldenCase> AllCases() {
    std::vector<GoldenCase> out;
    for (int style = 0; style < 16; ++style)
        if (style != 14)
            for (Look look : looks::kAllLooks)
                out.push_back({style, look});
    return out;
}

INSTANTIATE_TEST_SUITE_P(Looks, MxbuttonGolden, ::testing::ValuesIn(AllCases()),
                         [](const ::testing::TestParamInfo<GoldenCase>& info) { return Name(info.param); });

// A picture on a larger button: bitmap with mask colour, icon, and both greyed.
TEST(MxbuttonGoldenPictures, PicturesOnTheFace) {
    std::vector<gdi::Pixel> px(16 * 16, gdi::PixelFromColor(0xE0E0E0));
    std::vector<std::uint8_t> mask(16 * 16, 1);
    std::vector<gdi::Pixel> iconPx(16 * 16, 0);
    for (int y = 3; y < 13; ++y)
        for (int x = 3; x < 13; ++x) {
            px[y * 16 + x] = gdi::PixelFromColor(gdi::Rgb(200, 40 + 10 * x, 20 * (y - 3)));
            iconPx[y * 16 + x] = px[y * 16 + x];
            mask[y * 16 + x] = (x + y) % 5 == 0 ? 1 : 0;
            if (mask[y * 16 + x])
                iconPx[y * 16 + x] = 0;
        }
    const auto bitmap = std::make_shared<gdi::Picture>(gdi::Picture::MakeBitmap(16, 16, px));
    const auto icon = std::make_shared<gdi::Picture>(gdi::Picture::MakeIcon(16, 16, iconPx, mask));
    const struct {
        const char* name;
        std::shared_ptr<gdi::Picture> picture;
        bool useMask;
        int size;
        bool enabled;
    } cases[] = {
        {"picture_bitmap_masked", bitmap, true, 0, true}, {"picture_bitmap_copied", bitmap, false, 0, true},
        {"picture_icon_scaled", icon, false, 2, true},    {"picture_bitmap_grey", bitmap, false, 0, false},
        {"picture_icon_grey", icon, false, 3, false},
    };
    for (const auto& c : cases) {
        ButtonModel m = looks::MakeButton(2);
        m.mPicture = c.picture;
        m.mUseMaskColor = c.useMask;
        m.mPictureSize = c.size;
        m.mEnabled = c.enabled;
        gdi::Surface s(64, 40);
        Redraw(m, s, looks::RunTimeContext());
        EXPECT_TRUE(testing_support::MatchesGolden(s, c.name));
    }
}

} // namespace
} // namespace trimvox::mxbutton
