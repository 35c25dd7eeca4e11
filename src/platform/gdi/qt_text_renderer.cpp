// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/gdi/qt_text_renderer.h"

#include "platform/gdi/surface.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>
#include <cmath>

namespace trimvox::gdi {

namespace {

QFont ToQFont(const FontDescription& d) {
    QFont f(QString::fromStdString(d.name));
    // Points at 96 dots per inch, as GDI sizes a font for a 96-dpi screen.
    f.setPixelSize(std::max(1, static_cast<int>(std::lround(d.size * 96.0 / 72.0))));
    f.setWeight(static_cast<QFont::Weight>(std::clamp(d.weight, 100, 900)));
    f.setItalic(d.italic);
    f.setUnderline(d.underline);
    f.setStrikeOut(d.strikethrough);
    f.setKerning(false);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

} // namespace

TextExtent QtTextRenderer::Measure(const FontDescription& font, std::u16string_view text) const {
    if (text.empty())
        return {};
    const QFontMetrics fm(ToQFont(font));
    return {fm.horizontalAdvance(ToQString(text)), fm.height()};
}

void QtTextRenderer::Draw(Surface& surface, const FontDescription& font, ColorRef color, const Rect& clip,
                          int x, int y, std::u16string_view text, std::size_t underline) const {
    if (surface.Width() <= 0 || surface.Height() <= 0 || text.empty() || clip.IsEmpty())
        return;
    QImage image(reinterpret_cast<uchar*>(surface.Bits()), surface.Width(), surface.Height(),
                 surface.Width() * 4, QImage::Format_RGB32);
    const QFont qf = ToQFont(font);
    const QFontMetrics fm(qf);
    const QString s = ToQString(text);
    const QColor c(RedOf(color), GreenOf(color), BlueOf(color));
    {
        QPainter p(&image);
        p.setClipRect(QRect(clip.left, clip.top, clip.Width(), clip.Height()));
        p.setFont(qf);
        p.setPen(c);
        p.drawText(x, y + fm.ascent(), s);
        if (underline < text.size()) {
            const int ux = x + fm.horizontalAdvance(s.left(static_cast<qsizetype>(underline)));
            const int uw = fm.horizontalAdvance(s.mid(static_cast<qsizetype>(underline), 1));
            const int uy = y + fm.ascent() + std::max(1, fm.underlinePos());
            p.fillRect(QRect(ux, uy, uw, std::max(1, fm.lineWidth())), c);
        }
    }
    // Keep the colour bits only, as everywhere on the surface.
    const int l = std::max(0, clip.left), r = std::min(surface.Width(), clip.right);
    const int t = std::max(0, clip.top), b = std::min(surface.Height(), clip.bottom);
    for (int yy = t; yy < b; ++yy)
        for (int xx = l; xx < r; ++xx)
            surface.Bits()[static_cast<std::size_t>(yy) * surface.Width() + xx] &= kPixelRgbMask;
}

} // namespace trimvox::gdi
