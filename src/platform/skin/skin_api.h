// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace trimvox {

// The skin engine's three entry points as the program calls them. Results are not used by the
// program; they say whether the call reached the engine and succeeded.
class SkinApi {
public:
    virtual ~SkinApi() = default;
    virtual bool SkinH_SetAero(int enable) = 0;
    virtual bool SkinH_Attach() = 0;
    virtual bool SkinH_AttachEx(const std::string& skinFile, const std::string& password) = 0;
};

} // namespace trimvox
