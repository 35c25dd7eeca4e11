// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/text.h"

#include "platform/gdi/surface.h"

namespace trimvox::gdi {

AccessKeyText StripAccessKeyMarkers(std::u16string_view caption) {
    AccessKeyText out;
    out.text.reserve(caption.size());
    for (std::size_t i = 0; i < caption.size(); ++i) {
        const char16_t c = caption[i];
        if (c != u'&') {
            out.text.push_back(c);
            continue;
        }
        if (i + 1 >= caption.size())
            break; // a lone marker at the end draws nothing
        if (caption[i + 1] == u'&') {
            out.text.push_back(u'&');
            ++i;
            continue;
        }
        if (out.underline == TextRenderer::kNoUnderline)
            out.underline = out.text.size();
    }
    return out;
}

void DrawTextSingleLine(Surface& surface, const TextRenderer& renderer, const FontDescription& font,
                        ColorRef color, std::u16string_view caption, const Rect& r) {
    if (r.IsEmpty() || caption.empty())
        return;
    const AccessKeyText t = StripAccessKeyMarkers(caption);
    if (t.text.empty())
        return;
    renderer.Draw(surface, font, color, r, r.left, r.top, t.text, t.underline);
}

} // namespace trimvox::gdi
