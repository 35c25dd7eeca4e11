// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fs/byte_file.h"

#include <optional>

namespace trimvox {

// The program's raw data resources of the type "CUSTOM":
//   101        the skin engine library, written to the data folder as "SkinH_VB6.dll"
//   102        the engine's default skin, written as "skinh.she"
//   103 - 118  the selectable skins, written one at a time as "tstyle.she"
inline constexpr int kSkinEngineResource = 101;
inline constexpr int kDefaultSkinResource = 102;
inline constexpr int kFirstSkinResource = 103;
inline constexpr int kLastSkinResource = 118;

// Loads a "CUSTOM" resource whole; nothing for a number without a resource.
std::optional<Bytes> LoadCustomResource(int number);

} // namespace trimvox
