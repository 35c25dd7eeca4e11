// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/design/design_resources.h"

#include <QtGlobal>

// Outside any namespace, as the resource initialiser requires.
static void InitForm1Resources() {
    Q_INIT_RESOURCE(form1);
}

namespace trimvox {

void EnsureDesignResources() {
    static const bool done = [] {
        InitForm1Resources();
        return true;
    }();
    (void)done;
}

} // namespace trimvox
