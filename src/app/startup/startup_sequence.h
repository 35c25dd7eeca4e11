// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/skin/skin_api.h"

#include <cstdint>
#include <optional>
#include <string>

namespace trimvox {

// The stored skin text as a skin number: the text up to its first NUL, surrounding spaces ignored, read
// as a decimal number and floored. Nothing when it is not a number or lies outside the 16-bit range.
std::optional<std::int16_t> ParseSkinNumber(const std::string& styleValue);

// The skin that start-up applies for a stored text: its number, or 104 when there is none or it is 0.
std::int16_t StartupSkinNumber(const std::string& styleValue);

inline constexpr std::int16_t kFallbackSkin = 104;

// Start-up after the single-instance check, step by step, each step skipped when it fails:
// create the data folder; write the engine library and the default skin when they are missing; attach
// the engine (Aero on, then the default skin); read the stored skin number; write that skin as the
// active style file and hand it to the engine.
void PrepareDataFolderAndSkin(SkinApi& skin);

} // namespace trimvox
