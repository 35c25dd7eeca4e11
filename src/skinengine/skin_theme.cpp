// SPDX-License-Identifier: GPL-3.0-or-later
#include "skinengine/skin_theme.h"

#include <QApplication>
#include <QPalette>
#include <QString>

namespace trimvox::skin {

namespace {

QColor Colour(std::uint32_t rgb) {
    return QColor::fromRgb(static_cast<QRgb>(rgb));
}

QString Css(std::uint32_t rgb) {
    return Colour(rgb).name(QColor::HexRgb);
}

} // namespace

void ApplySkin(const SkinFile& skin, bool aero) {
    auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
    if (app == nullptr) {
        return;
    }
    const SkinColours& c = skin.colours;
    QPalette palette;
    for (const auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, Colour(c.window));
        palette.setColor(group, QPalette::WindowText, Colour(c.text));
        palette.setColor(group, QPalette::Base, Colour(c.base));
        palette.setColor(group, QPalette::AlternateBase, Colour(c.alternate));
        palette.setColor(group, QPalette::Text, Colour(c.text));
        palette.setColor(group, QPalette::Button, Colour(c.button));
        palette.setColor(group, QPalette::ButtonText, Colour(c.buttonText));
        palette.setColor(group, QPalette::Highlight, Colour(c.highlight));
        palette.setColor(group, QPalette::HighlightedText, Colour(c.highlightedText));
        palette.setColor(group, QPalette::ToolTipBase, Colour(c.base));
        palette.setColor(group, QPalette::ToolTipText, Colour(c.text));
        palette.setColor(group, QPalette::Link, Colour(c.accent));
    }
    palette.setColor(QPalette::Disabled, QPalette::Window, Colour(c.window));
    palette.setColor(QPalette::Disabled, QPalette::Base, Colour(c.window));
    palette.setColor(QPalette::Disabled, QPalette::Button, Colour(c.button));
    QApplication::setPalette(palette);

    // With aero on, frames get rounded corners; the colours are the same either way.
    const QString radius = aero ? QStringLiteral("5px") : QStringLiteral("0px");
    const QString sheet =
        QStringLiteral("QGroupBox { border: 1px solid %1; border-radius: %4; margin-top: 7px; }"
                       "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left;"
                       " left: 7px; padding: 0px 2px; color: %2; }"
                       "QLabel { color: %3; }")
            .arg(Css(c.frame), Css(c.title), Css(c.label), radius);
    app->setStyleSheet(sheet);
}

} // namespace trimvox::skin
