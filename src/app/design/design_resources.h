// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The resources that the window designs use: the designs themselves, the icon, the button pictures and
// the hand cursor, under ":/forms", ":/icon", ":/pictures" and ":/cursors".

namespace trimvox {

inline constexpr const char* kForm1DesignPath = ":/forms/form1.json";
inline constexpr const char* kProgramIconPath = ":/icon/trimvox.ico";
inline constexpr const char* kHandCursorPath = ":/cursors/hand.cur";

// Registers the resources; they live in a static library, so the program must ask for them once.
void EnsureDesignResources();

} // namespace trimvox
