// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/temp_data_home.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <system_error>

namespace trimvox::test {

namespace {

std::filesystem::path MakeTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "trimvox-test-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    return pattern;
}

void Restore(const char* name, bool had, const std::string& old) {
    if (had) {
        ::setenv(name, old.c_str(), 1);
    } else {
        ::unsetenv(name);
    }
}

} // namespace

TempDataHome::TempDataHome() : root_(MakeTempFolder()) {
    if (const char* v = std::getenv("XDG_DATA_HOME")) {
        hadData_ = true;
        oldData_ = v;
    }
    if (const char* v = std::getenv("XDG_RUNTIME_DIR")) {
        hadRuntime_ = true;
        oldRuntime_ = v;
    }
    std::filesystem::create_directories(root_ / "data");
    std::filesystem::create_directories(root_ / "runtime");
    std::filesystem::permissions(root_ / "runtime", std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", (root_ / "runtime").c_str(), 1);
}

TempDataHome::~TempDataHome() {
    Restore("XDG_DATA_HOME", hadData_, oldData_);
    Restore("XDG_RUNTIME_DIR", hadRuntime_, oldRuntime_);
    std::error_code error;
    std::filesystem::permissions(root_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 error);
    std::filesystem::remove_all(root_, error);
}

std::filesystem::path TempDataHome::dataFolder() const {
    return root_ / "data" / "trimvox";
}

TempDir::TempDir() : path_(MakeTempFolder()) {}

TempDir::~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
}

std::vector<std::string> FolderNames(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace trimvox::test
