// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/file_dialog_record.h"

namespace trimvox::modpath {

QList<QPair<QString, QString>> ParseFilter(const QString& filter) {
    QList<QPair<QString, QString>> pairs;
    if (filter.isEmpty()) {
        return pairs;
    }
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        pairs.append({parts[i], parts[i + 1]});
    }
    return pairs;
}

QStringList NameFilters(const QList<QPair<QString, QString>>& filters) {
    QStringList names;
    for (const auto& [text, pattern] : filters) {
        QString patterns = pattern;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        names.append(text + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')'));
    }
    return names;
}

std::optional<DialogRecord> BuildDialogRecord(bool save, const QString& title, const QString& filter,
                                              const QString& initialName, const QString& defaultExtension,
                                              const QString& initialFolder) {
    if (initialName.size() > DialogRecord::kMaxFile) {
        return std::nullopt;
    }
    DialogRecord record;
    record.save = save;
    record.title = title;
    record.filters = ParseFilter(filter);
    record.file = initialName;
    record.defaultExtension = defaultExtension;
    record.initialFolder = initialFolder;
    return record;
}

} // namespace trimvox::modpath
