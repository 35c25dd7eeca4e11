#pragma once

#include "platform/fs/byte_file.h"
#include "platform/skin/skin_api.h"

#include <QLibrary>
#include <filesystem>
#include <memory>

namespace trimvox {

// Binds the skin engine by the full path of its library. The library is loaded on the first call of
// any entry point, and only when its bytes equal the engine that the program carries: the data folder
// is writable, so a library that differs is neither loaded nor trusted (its calls then fail silently).
class SkinEngineBinding final : public SkinApi {
public:
    SkinEngineBinding(std::filesystem::path library, Bytes expected);
    ~SkinEngineBinding() override;

    bool SkinH_SetAero(int enable) override;
    bool SkinH_Attach() override;
    bool SkinH_AttachEx(const std::string& skinFile, const std::string& password) override;

    bool isLoaded() const { return loaded_; }

private:
    bool Bind();

    std::filesystem::path library_;
    Bytes expected_;
    std::unique_ptr<QLibrary> handle_;
    bool loaded_ = false;
    int (*setAero_)(int) = nullptr;
    int (*attach_)() = nullptr;
    int (*attachEx_)(const char*, const char*) = nullptr;
};

} // namespace trimvox
