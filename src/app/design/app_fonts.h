// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trimvox {

// Lets the Chinese font names of the window designs ("宋体", "SimSun") resolve to a Song/Ming face
// that Linux has, instead of a Latin fallback.
void RegisterFontSubstitutions();

} // namespace trimvox
