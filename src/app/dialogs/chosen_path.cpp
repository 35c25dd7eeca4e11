// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/chosen_path.h"

#include "common/path_text.h"

#include <QFile>
#include <QStringList>
#include <dirent.h>
#include <sys/stat.h>

namespace trimvox::modpath {

namespace {

bool Exists(const std::string& bytes) {
    struct stat status {};
    return ::lstat(bytes.c_str(), &status) == 0;
}

// The one name in `folder` that Qt shows as `shown`; empty when none or several do.
std::string NameShownAs(const std::string& folder, const QString& shown) {
    DIR* dir = ::opendir(folder.empty() ? "/" : folder.c_str());
    if (dir == nullptr) {
        return {};
    }
    std::string found;
    int matches = 0;
    while (const dirent* entry = ::readdir(dir)) {
        if (QFile::decodeName(entry->d_name) == shown) {
            found = entry->d_name;
            ++matches;
        }
    }
    ::closedir(dir);
    return matches == 1 ? found : std::string();
}

} // namespace

QString ResolveChosenPath(const QString& chosen) {
    const std::string written = PathBytes(chosen.toStdU16String());
    if (chosen.isEmpty() || Exists(written) || !chosen.startsWith(QLatin1Char('/'))) {
        return chosen;
    }
    std::string bytes;
    const QStringList parts = chosen.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const std::string asWritten = PathBytes(part.toStdU16String());
        std::string name = asWritten;
        if (!Exists(bytes + "/" + asWritten) && part.contains(QChar::ReplacementCharacter)) {
            if (std::string match = NameShownAs(bytes, part); !match.empty()) {
                name = match;
            }
        }
        bytes += "/" + name;
    }
    if (chosen.endsWith(QLatin1Char('/'))) {
        bytes += '/';
    }
    return QString::fromStdU16String(PathText(bytes));
}

bool PathTextExists(const QString& path) {
    return !path.isEmpty() && Exists(PathBytes(path.toStdU16String()));
}

QString ShownPath(const QString& path) {
    return QString::fromStdString(DisplayName(PathBytes(path.toStdU16String())));
}

QString DialogFolder(const std::string& folder) {
    std::string path = folder;
    while (!path.empty() && !IsValidUtf8(path)) {
        const auto slash = path.find_last_of('/');
        path = slash == std::string::npos || slash == 0 ? std::string(slash == 0 ? "/" : "")
                                                        : path.substr(0, slash);
    }
    return QString::fromStdString(path);
}

} // namespace trimvox::modpath
