// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/button_host.h"
#include "controls/mxbutton/button_model.h"
#include "controls/mxbutton/property_store.h"
#include "controls/mxbutton/style_defaults.h"

#include <cstdint>

namespace trimvox::mxbutton {

// The pointer shape and custom pointer picture, which the control window holds rather than the model.
struct PointerState {
    std::int16_t mousePointer = 0; // 0 default, 99 custom (mouseIcon)
    PicturePtr mouseIcon;
};

// Default values of a newly placed button, before the style defaults: focus rectangle shown, enabled,
// style 0, the instance name as caption, picture left of a centred caption, no mask colour.
void InitNewInstance(ButtonModel& model, const ButtonHost& host, const ColorResolver& resolve);

// Fills the backing fields from the store, key by key, each missing key taking its default. Only the
// values are read here; the control does the rest of restoring (window state, region, hooks).
void ReadStoredProperties(ButtonModel& model, PointerState& pointer, const PropertyStore& store,
                          const ButtonHost& host, const ColorResolver& resolve);

// Writes the properties into the store; a value equal to its default is not written.
void WriteStoredProperties(const ButtonModel& model, const PointerState& pointer, PropertyStore& store,
                           const ButtonHost& host, const ColorResolver& resolve);

} // namespace trimvox::mxbutton
