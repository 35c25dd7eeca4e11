// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/platform_exports.h"

#include "controls/mxbutton/mouse_tracking.h"

namespace trimvox::mxbutton {

namespace {

QStringList& MissingFunctions() {
    static QStringList missing;
    return missing;
}

struct Export {
    const char* library;
    const char* function;
    std::uintptr_t address;
};

std::uintptr_t Lookup(const QString& library, const QString& function) {
    // The hooks of our platform are built on Qt's event filters: the window-procedure calls exist only
    // as names that the hook set-up looks for.
    static const Export exports[] = {
        {"user32", "TrackMouseEvent", reinterpret_cast<std::uintptr_t>(&TrackMouseEvent)},
        {"user32", "CallWindowProcA", 1},
        {"user32", "SetWindowLongA", 2},
        {"comctl32", "_TrackMouseEvent", reinterpret_cast<std::uintptr_t>(&TrackMouseEventComctl)},
    };
    if (MissingFunctions().contains(function)) {
        return 0;
    }
    for (const Export& e : exports) {
        if (library.compare(QLatin1String(e.library), Qt::CaseInsensitive) == 0 &&
            function == QLatin1String(e.function)) {
            return e.address;
        }
    }
    return 0;
}

} // namespace

bool IsFunctionExported(const QString& function, const QString& library) {
    return Lookup(library, function) != 0;
}

std::uintptr_t GetExportAddress(const QString& library, const QString& function) {
    return Lookup(library, function);
}

ScopedMissingExports::ScopedMissingExports(QStringList functions) : previous_(MissingFunctions()) {
    MissingFunctions().append(functions);
}

ScopedMissingExports::~ScopedMissingExports() {
    MissingFunctions() = previous_;
}

} // namespace trimvox::mxbutton
