// SPDX-License-Identifier: GPL-3.0-or-later
// Access-key markers and single-line text placement.

#include "platform/gdi/surface.h"
#include "platform/gdi/text.h"

#include <gtest/gtest.h>

#include <vector>

namespace trimvox::gdi {
namespace {

TEST(TextTest, AccessKeyMarkersAreTakenOut) {
    const struct {
        std::u16string in;
        std::u16string text;
        std::size_t underline;
    } cases[] = {
        {u"&Open", u"Open", 0},
        {u"Save &As", u"Save As", 5},
        {u"a&&b", u"a&b", TextRenderer::kNoUnderline},
        {u"&&&x", u"&x", 1},
        {u"ab&", u"ab", TextRenderer::kNoUnderline},
        {u"a&b&c", u"abc", 1},
        {u"打&开", u"打开", 1},
        {u"", u"", TextRenderer::kNoUnderline},
    };
    for (const auto& c : cases) {
        const AccessKeyText t = StripAccessKeyMarkers(c.in);
        EXPECT_EQ(t.text, c.text);
        EXPECT_EQ(t.underline, c.underline);
    }
}

struct Recorder : TextRenderer {
    struct Call {
        Rect clip;
        int x, y;
        std::u16string text;
        std::size_t underline;
    };
    mutable std::vector<Call> calls;
    TextExtent Measure(const FontDescription&, std::u16string_view t) const override {
        return {static_cast<int>(t.size()) * 7, 13};
    }
    void Draw(Surface&, const FontDescription&, ColorRef, const Rect& clip, int x, int y,
              std::u16string_view t, std::size_t underline) const override {
        calls.push_back({clip, x, y, std::u16string(t), underline});
    }
};

TEST(TextTest, SingleLineTextStartsAtTheTopLeftAndIsClippedToTheRectangle) {
    Surface s(50, 20);
    Recorder r;
    DrawTextSingleLine(s, r, {}, 0, u"&Go", {3, 4, 20, 17});
    ASSERT_EQ(r.calls.size(), 1u);
    EXPECT_EQ(r.calls[0].clip, (Rect{3, 4, 20, 17}));
    EXPECT_EQ(r.calls[0].x, 3);
    EXPECT_EQ(r.calls[0].y, 4);
    EXPECT_EQ(r.calls[0].text, u"Go");
    EXPECT_EQ(r.calls[0].underline, 0u);
    DrawTextSingleLine(s, r, {}, 0, u"x", {3, 4, 3, 17}); // no room: nothing
    DrawTextSingleLine(s, r, {}, 0, u"&", {3, 4, 20, 17});
    EXPECT_EQ(r.calls.size(), 1u);
}

} // namespace
} // namespace trimvox::gdi
