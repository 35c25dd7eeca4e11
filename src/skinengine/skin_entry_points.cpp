// The engine's three entry points, with C linkage so the program can bind them by name.
#include "skinengine/skin_file.h"
#include "skinengine/skin_theme.h"

#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

bool g_aero = false;

// Reads the whole file and closes it before returning, so the caller may delete or rewrite it at once.
std::optional<std::vector<std::uint8_t>> ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
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
    return AttachFile(OwnFolder() / "skinh.she");
}

// Switches every window to the given skin file. The password is accepted and not needed: our skins
// have none. Returns 1 on success, 0 when the file is missing or not a skin.
__attribute__((visibility("default"))) int SkinH_AttachEx(const char* path, const char* /*password*/) {
    if (path == nullptr || path[0] == '\0') {
        return 0;
    }
    return AttachFile(std::filesystem::path(path));
}
}
