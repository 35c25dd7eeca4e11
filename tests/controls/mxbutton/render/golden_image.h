// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/gdi/surface.h"

#include <gtest/gtest.h>

#include <string>

namespace trimvox::testing_support {

// Compares the surface pixel for pixel with the golden image <name>.png in the golden folder. On a
// difference it writes <name>.actual.png and <name>.diff.png (differing pixels red over a faded copy) to
// the failure folder. With TRIMVOX_RECORD_GOLDENS=1 in the environment it writes the golden image instead
// and succeeds.
::testing::AssertionResult MatchesGolden(const gdi::Surface& s, const std::string& name);

} // namespace trimvox::testing_support
