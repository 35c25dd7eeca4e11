// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/button_model.h"

#include <QString>

#include <cstdint>
#include <map>
#include <optional>
#include <variant>

namespace trimvox::mxbutton {

// One stored value: booleans, integers (16-bit values are kept widened), colours, texts, fonts, pictures.
using PropertyValue = std::variant<bool, std::int32_t, OleColor, QString, FontPtr, PicturePtr>;

// The host's store of one instance's properties. Keys are kept in lower case and matched without regard
// to case, so a value written under "pictureSize" is read back under "PictureSize".
class PropertyStore {
public:
    // The stored value, or `defaultValue` when the key is absent or holds a value of another kind.
    template <typename T> T Read(const QString& key, const T& defaultValue) const {
        const auto it = values_.find(key.toLower());
        if (it == values_.end()) {
            return defaultValue;
        }
        if (const T* value = std::get_if<T>(&it->second)) {
            return *value;
        }
        return defaultValue;
    }

    // Stores `value`, or removes the key when the value equals `defaultValue` (nothing is stored then).
    template <typename T> void Write(const QString& key, const T& value, const T& defaultValue) {
        if (value == defaultValue) {
            values_.erase(key.toLower());
            return;
        }
        values_[key.toLower()] = PropertyValue(std::in_place_type<T>, value);
    }

    // Stores a value whose equality with its default the caller has decided.
    void Put(const QString& key, PropertyValue value) { values_[key.toLower()] = std::move(value); }
    void Remove(const QString& key) { values_.erase(key.toLower()); }

    bool Contains(const QString& key) const { return values_.count(key.toLower()) != 0; }
    std::optional<PropertyValue> Get(const QString& key) const;
    std::size_t Size() const { return values_.size(); }
    // The stored keys, in lower case and sorted.
    const std::map<QString, PropertyValue>& Values() const { return values_; }

private:
    std::map<QString, PropertyValue> values_;
};

} // namespace trimvox::mxbutton
