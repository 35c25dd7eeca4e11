// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace trimvox::test {

// A fresh temporary folder that becomes XDG_DATA_HOME (and XDG_RUNTIME_DIR) for its lifetime, so the
// program's data folder lies inside it. Removes the folder and restores the variables on destruction.
class TempDataHome {
public:
    TempDataHome();
    ~TempDataHome();
    TempDataHome(const TempDataHome&) = delete;
    TempDataHome& operator=(const TempDataHome&) = delete;

    const std::filesystem::path& root() const { return root_; }
    // The program's data folder inside root (not created here).
    std::filesystem::path dataFolder() const;

private:
    std::filesystem::path root_;
    std::string oldData_, oldRuntime_;
    bool hadData_ = false, hadRuntime_ = false;
};

// A fresh temporary folder, removed on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

// The names in a folder, sorted.
std::vector<std::string> FolderNames(const std::filesystem::path& folder);

} // namespace trimvox::test
