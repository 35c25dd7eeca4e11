// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/property_store.h"

namespace trimvox::mxbutton {

std::optional<PropertyValue> PropertyStore::Get(const QString& key) const {
    const auto it = values_.find(key.toLower());
    if (it == values_.end()) {
        return std::nullopt;
    }
    return it->second;
}

} // namespace trimvox::mxbutton
