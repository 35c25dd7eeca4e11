// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/gdi/text.h"

namespace trimvox::gdi {

// Draws captions with Qt's font engine into a drawing surface (Qt Gui; needs a QGuiApplication).
// Sizes follow 96 dots per inch: a font of s points is s * 96 / 72 pixels high (its em).
class QtTextRenderer final : public TextRenderer {
public:
    TextExtent Measure(const FontDescription& font, std::u16string_view text) const override;
    void Draw(Surface& surface, const FontDescription& font, ColorRef color, const Rect& clip, int x, int y,
              std::u16string_view text, std::size_t underline) const override;
};

} // namespace trimvox::gdi
