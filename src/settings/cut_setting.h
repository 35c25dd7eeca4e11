// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace trimvox::mymode {

// Whether previews are cut precisely (whole frames, a true duration header, the source's tags), stored
// under [cut] precise in set.ini as 1 or 0; off when missing or anything else.
bool LoadPreciseCutSetting();

// Stores it; every other line of the file stays. False when the file could not be written (it then
// stays as it was).
bool SavePreciseCutSetting(bool on);

} // namespace trimvox::mymode
