// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/gdi/color.h"
#include "platform/gdi/font_description.h"
#include "platform/gdi/rect.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace trimvox::gdi {

class Surface;

struct TextExtent {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const TextExtent&, const TextExtent&) = default;
};

// Measures and draws one line of text with a font engine. The drawing surface itself knows no fonts.
class TextRenderer {
public:
    static constexpr std::size_t kNoUnderline = static_cast<std::size_t>(-1);

    virtual ~TextRenderer() = default;
    // The text extent of text (GetTextExtentPoint32): its advance width and the font's line height. An
    // empty text measures 0 x 0.
    virtual TextExtent Measure(const FontDescription& font, std::u16string_view text) const = 0;
    // Draws text with the top-left of its line box at (x, y), clipped to clip, without a background, and
    // underlines the character at index underline (kNoUnderline for none).
    virtual void Draw(Surface& surface, const FontDescription& font, ColorRef color, const Rect& clip, int x,
                      int y, std::u16string_view text, std::size_t underline) const = 0;
};

// A caption with its access-key markers taken out: "&x" underlines x, "&&" is one "&", and a lone "&"
// at the end is dropped. Only the first marked character is underlined.
struct AccessKeyText {
    std::u16string text;
    std::size_t underline = TextRenderer::kNoUnderline;
};
AccessKeyText StripAccessKeyMarkers(std::u16string_view caption);

// DrawText with DT_SINGLELINE as the only flag: the text starts at the rectangle's top-left corner, is
// clipped to it, and "&" marks the access key.
void DrawTextSingleLine(Surface& surface, const TextRenderer& renderer, const FontDescription& font,
                        ColorRef color, std::u16string_view caption, const Rect& r);

} // namespace trimvox::gdi
