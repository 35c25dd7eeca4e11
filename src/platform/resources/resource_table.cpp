// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/resources/resource_table.h"

#include <QFile>
#include <QString>

static void InitCustomResources() {
    Q_INIT_RESOURCE(custom);
}

namespace trimvox {

std::optional<Bytes> LoadCustomResource(int number) {
    static const bool initialised = (InitCustomResources(), true);
    (void)initialised;
    QFile file(QStringLiteral(":/CUSTOM/%1").arg(number));
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray data = file.readAll();
    return Bytes(data.begin(), data.end());
}

} // namespace trimvox
