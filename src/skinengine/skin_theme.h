// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "skinengine/skin_file.h"

namespace trimvox::skin {

// Re-colours the running application: its palette (which reaches every window, also those opened
// later) and a small style sheet for what the palette does not reach (frame borders and titles,
// label text). Does nothing when there is no QApplication.
void ApplySkin(const SkinFile& skin, bool aero);

} // namespace trimvox::skin
