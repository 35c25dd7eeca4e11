// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace trimvox::mxbutton {

// Whether a platform library exports a function. Library names match without regard to case, function
// names exactly. Our platform's libraries: "User32" with "TrackMouseEvent", "CallWindowProcA" and
// "SetWindowLongA", "Comctl32" with "_TrackMouseEvent".
bool IsFunctionExported(const QString& function, const QString& library);

// The address of an exported function, 0 when the library or the function is missing.
std::uintptr_t GetExportAddress(const QString& library, const QString& function);

// While it lives, the named functions count as missing from every library (for trying out the paths that
// a platform without them takes).
class ScopedMissingExports {
public:
    explicit ScopedMissingExports(QStringList functions);
    ~ScopedMissingExports();
    ScopedMissingExports(const ScopedMissingExports&) = delete;
    ScopedMissingExports& operator=(const ScopedMissingExports&) = delete;

private:
    QStringList previous_;
};

} // namespace trimvox::mxbutton
