// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/skin/skin_engine_binding.h"

#include "platform/fs/file_exists.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace trimvox {

namespace {

// Closes a file descriptor when it goes out of scope.
struct Descriptor {
    int fd = -1;
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

// A sealed anonymous memory file holding `bytes`, or -1.
int SealedCopy(const Bytes& bytes) {
#ifdef MFD_EXEC
    int fd = ::memfd_create("SkinH_VB6.dll", MFD_CLOEXEC | MFD_ALLOW_SEALING | MFD_EXEC);
    if (fd < 0) {
        fd = ::memfd_create("SkinH_VB6.dll", MFD_CLOEXEC | MFD_ALLOW_SEALING);
    }
#else
    const int fd = ::memfd_create("SkinH_VB6.dll", MFD_CLOEXEC | MFD_ALLOW_SEALING);
#endif
    if (fd < 0) {
        return -1;
    }
    if (!WriteAllBytes(fd, bytes.data(), bytes.size()).empty() ||
        ::fcntl(fd, F_ADD_SEALS, F_SEAL_SHRINK | F_SEAL_GROW | F_SEAL_WRITE | F_SEAL_SEAL) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void* LoadFrom(int fd) {
    const std::string path = "/proc/self/fd/" + std::to_string(fd);
    return ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

} // namespace

SkinEngineBinding::SkinEngineBinding(std::filesystem::path library, Bytes expected)
    : library_(std::move(library)), expected_(std::move(expected)) {}

// The engine stays attached for the life of the process: the library is never unloaded.
SkinEngineBinding::~SkinEngineBinding() = default;

bool SkinEngineBinding::Bind() {
    if (loaded_) {
        return true;
    }
    if (expected_.empty() || !FileExists(library_)) {
        return false;
    }
    const Descriptor file{::open(library_.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
    if (file.fd < 0) {
        return false;
    }
    const auto bytes = ReadWholeDescriptor(file.fd, expected_.size());
    if (!bytes || *bytes != expected_) {
        return false;
    }
    const Descriptor copy{SealedCopy(*bytes)};
    void* handle = LoadFrom(copy.fd >= 0 ? copy.fd : file.fd);
    if (handle == nullptr) {
        return false;
    }
    setAero_ = reinterpret_cast<int (*)(int)>(::dlsym(handle, "SkinH_SetAero"));
    attach_ = reinterpret_cast<int (*)()>(::dlsym(handle, "SkinH_Attach"));
    attachEx_ = reinterpret_cast<int (*)(const char*, const char*)>(::dlsym(handle, "SkinH_AttachEx"));
    if (setAero_ == nullptr || attach_ == nullptr || attachEx_ == nullptr) {
        ::dlclose(handle);
        setAero_ = nullptr;
        attach_ = nullptr;
        attachEx_ = nullptr;
        return false;
    }
    handle_ = handle;
    loaded_ = true;
    return true;
}

bool SkinEngineBinding::SkinH_SetAero(int enable) {
    return Bind() && setAero_(enable) != 0;
}

// Loaded from memory, the engine has no folder of its own: its default skin is named for it, the file
// beside the library on disk, through the entry point that takes a skin file.
bool SkinEngineBinding::SkinH_Attach() {
    if (!Bind()) {
        return false;
    }
    const std::filesystem::path defaultSkin = library_.parent_path() / "skinh.she";
    return attachEx_(defaultSkin.c_str(), "") != 0;
}

bool SkinEngineBinding::SkinH_AttachEx(const std::string& skinFile, const std::string& password) {
    return Bind() && attachEx_(skinFile.c_str(), password.c_str()) != 0;
}

} // namespace trimvox
