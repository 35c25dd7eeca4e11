// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace trimvox {

// The FILE given on the command line, checked before the program opens it or hands it over.
struct LaunchFile {
    std::string path;  // absolute, lexically normal, as bytes; empty when there is an error
    std::string error; // one line for standard error: the path as given and what is wrong with it
};

// An existing regular file (a link to one counts) is fine; a missing path, a folder or anything else
// that is not a regular file is an error.
LaunchFile CheckLaunchFile(const std::string& given);

} // namespace trimvox
