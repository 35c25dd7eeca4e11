// SPDX-License-Identifier: GPL-3.0-or-later
// The engine's three entry points, with C linkage so the program can bind them by name.
#include "platform/fs/byte_file.h"
#include "skinengine/skin_file.h"
#include "skinengine/skin_theme.h"

#include <cerrno>
#include <dlfcn.h>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool g_aero = false;

// A skin is a few hundred bytes; anything larger is not one.
constexpr std::size_t kMaxSkinBytes = 1 << 20;

// Reads the whole file and closes it before returning, so the caller may delete or rewrite it at once.
// Only a regular file of at most kMaxSkinBytes is read; it is opened without blocking, so a FIFO or a
// device in its place cannot hang the program or fill its memory.
std::optional<std::vector<std::uint8_t>> ReadFile(const std::filesystem::path& path) {
    return trimvox::ReadWholeFile(path, kMaxSkinBytes);
}

// Runs an entry point's work; no exception leaves the library through its C interface: a failure
// inside is a failed call (0).
template <typename Work> int Guarded(Work work) noexcept {
    try {
        return work();
    } catch (...) {
        return 0;
    }
}

// The folder this library was loaded from.
std::filesystem::path OwnFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&OwnFolder), &info) == 0 || info.dli_fname == nullptr) {
        return {};
    }
    return std::filesystem::path(info.dli_fname).parent_path();
}

int AttachFile(const std::filesystem::path& path) {
    const auto bytes = ReadFile(path);
    if (!bytes) {
        return 0;
    }
    const auto skin = trimvox::skin::ParseSkinFile(*bytes);
    if (!skin) {
        return 0;
    }
    trimvox::skin::ApplySkin(*skin, g_aero);
    return 1;
}

} // namespace

extern "C" {

// Sets the Aero mode used by the attaches that follow (rounded frames). Returns 1.
__attribute__((visibility("default"))) int SkinH_SetAero(int enable) {
    g_aero = enable != 0;
    return 1;
}

// Attaches the engine with its default skin, "skinh.she" beside the library. Returns 1 on success.
__attribute__((visibility("default"))) int SkinH_Attach() {
    return Guarded([] { return AttachFile(OwnFolder() / "skinh.she"); });
}

// Switches every window to the given skin file. The password is accepted and not needed: our skins
// have none. Returns 1 on success, 0 when the file is missing or not a skin.
__attribute__((visibility("default"))) int SkinH_AttachEx(const char* path, const char* /*password*/) {
    if (path == nullptr || path[0] == '\0') {
        return 0;
    }
    return Guarded([path] { return AttachFile(std::filesystem::path(path)); });
}
}
