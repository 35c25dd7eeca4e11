// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/app_fonts.h"

#include <QFont>
#include <QStringList>

namespace trimvox {

void RegisterFontSubstitutions() {
    const QStringList song = {QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
                              QStringLiteral("Noto Sans CJK SC")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), song);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), song);
    QFont::insertSubstitutions(QStringLiteral("Tahoma"), {QStringLiteral("DejaVu Sans")});
}

} // namespace trimvox
