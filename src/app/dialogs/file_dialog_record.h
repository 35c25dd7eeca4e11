// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace trimvox::modpath {

// The settings of one open or save dialog.
struct DialogRecord {
    static constexpr int kMaxFile = 260;              // room for the name, in characters
    static constexpr unsigned kCreatePrompt = 0x2000; // the open dialog offers to create a missing file
    static constexpr unsigned kHideReadOnly = 0x4;
    static constexpr unsigned kOverwritePrompt = 0x2; // the save dialog asks before replacing a file

    bool save = false;
    QString title;
    QList<QPair<QString, QString>> filters; // display text, pattern
    QString file;                           // the initial name
    unsigned flags = kCreatePrompt | kHideReadOnly | kOverwritePrompt;
    QString defaultExtension; // empty for none
    QString initialFolder;    // empty for the platform's choice
    // The save dialog's path that the caller will write for a chosen path; empty for the chosen path itself.
    std::function<QString(const QString&)> target;
};

// Builds the record; nothing when the initial name is longer than kMaxFile characters.
std::optional<DialogRecord> BuildDialogRecord(bool save, const QString& title, const QString& filter,
                                              const QString& initialName, const QString& defaultExtension,
                                              const QString& initialFolder);

// "text|pattern|text|pattern" as pairs; a last text without its pattern is dropped.
QList<QPair<QString, QString>> ParseFilter(const QString& filter);

// The pairs as name filters for a Qt file dialog: "text (pattern)", several patterns separated by spaces.
QStringList NameFilters(const QList<QPair<QString, QString>>& filters);

} // namespace trimvox::modpath
