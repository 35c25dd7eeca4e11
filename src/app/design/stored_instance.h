// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A button's stored instance as a window design keeps it (property-store keys in lower case, pictures as
// resource paths) turned into the property store that the button restores itself from.

#include "controls/mxbutton/property_store.h"

#include <QJsonObject>

namespace trimvox {

// Keys the button does not store are left out; a picture that cannot be loaded is left out too, so the
// button takes its default (none) for it.
mxbutton::PropertyStore StoredInstance(const QJsonObject& stored);

} // namespace trimvox
