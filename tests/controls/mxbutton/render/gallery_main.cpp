// SPDX-License-Identifier: GPL-3.0-or-later
// mxbutton-gallery: every style in every look side by side in one PNG, so that all looks can be seen at
// once. Usage: mxbutton-gallery <out.png> [scale]

#include "button_looks.h"

#include "platform/gdi/qt_text_renderer.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <cstdlib>

using namespace trimvox;
using namespace trimvox::mxbutton;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <out.png> [scale]\n", argv[0]);
        return 2;
    }
    // Text needs no screen: draw offscreen unless told otherwise.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int scale = argc > 2 ? std::max(1, std::atoi(argv[2])) : 2;
    constexpr int kW = 89, kH = 33, kGap = 8, kLabelW = 130, kHeaderH = 22;
    const int cols = static_cast<int>(looks::kAllLooks.size());
    QImage sheet(kLabelW + cols * (kW + kGap) + kGap, kHeaderH + 16 * (kH + kGap) + kGap,
                 QImage::Format_RGB32);
    sheet.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter p(&sheet);
    p.setPen(Qt::black);
    for (int c = 0; c < cols; ++c)
        p.drawText(kLabelW + c * (kW + kGap), 16, QString::fromLatin1(looks::LookName(looks::kAllLooks[c])));

    const gdi::QtTextRenderer text;
    for (int style = 0; style < 16; ++style) {
        const int y = kHeaderH + style * (kH + kGap);
        p.drawText(4, y + kH / 2 + 5,
                   QStringLiteral("%1 %2").arg(style).arg(QString::fromLatin1(looks::StyleName(style))));
        for (int c = 0; c < cols; ++c) {
            ButtonModel m = looks::MakeButton(style);
            m.mCaption = QStringLiteral("&Button");
            m.accessKey = QChar(u'B');
            looks::ApplyLook(m, looks::kAllLooks[c]);
            gdi::Surface s(kW, kH);
            s.SetFont(gdi::FontDescription{});
            const RedrawContext ctx = looks::RunTimeContext(&text);
            Redraw(m, s, ctx);
            Redraw(m, s, ctx); // a second repaint shows the container colour that some looks take
            const QImage face(reinterpret_cast<const uchar*>(s.Bits()), kW, kH, kW * 4, QImage::Format_RGB32);
            p.drawImage(kLabelW + c * (kW + kGap), y, face);
        }
    }
    p.end();
    const QImage out =
        scale > 1 ? sheet.scaled(sheet.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation) : sheet;
    if (!out.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
