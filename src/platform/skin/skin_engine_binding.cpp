#include "platform/skin/skin_engine_binding.h"

#include "platform/fs/file_exists.h"

#include <QString>

namespace trimvox {

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
    const auto bytes = ReadWholeFile(library_);
    if (!bytes || *bytes != expected_) {
        return false;
    }
    auto handle = std::make_unique<QLibrary>(QString::fromStdString(library_.string()));
    if (!handle->load()) {
        return false;
    }
    setAero_ = reinterpret_cast<int (*)(int)>(handle->resolve("SkinH_SetAero"));
    attach_ = reinterpret_cast<int (*)()>(handle->resolve("SkinH_Attach"));
    attachEx_ = reinterpret_cast<int (*)(const char*, const char*)>(handle->resolve("SkinH_AttachEx"));
    if (setAero_ == nullptr || attach_ == nullptr || attachEx_ == nullptr) {
        handle->unload();
        setAero_ = nullptr;
        attach_ = nullptr;
        attachEx_ = nullptr;
        return false;
    }
    handle_ = std::move(handle);
    loaded_ = true;
    return true;
}

bool SkinEngineBinding::SkinH_SetAero(int enable) {
    return Bind() && setAero_(enable) != 0;
}

bool SkinEngineBinding::SkinH_Attach() {
    return Bind() && attach_() != 0;
}

bool SkinEngineBinding::SkinH_AttachEx(const std::string& skinFile, const std::string& password) {
    return Bind() && attachEx_(skinFile.c_str(), password.c_str()) != 0;
}

} // namespace trimvox
