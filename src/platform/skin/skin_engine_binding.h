// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/fs/byte_file.h"
#include "platform/skin/skin_api.h"

#include <filesystem>

namespace trimvox {

// Binds the skin engine by the full path of its library. The library is loaded on the first call of
// any entry point, and only when its bytes equal the engine that the program carries: the data folder
// is writable, so a library that differs is neither loaded nor trusted (its calls then fail silently).
// The file is opened once, without blocking and only as a regular file; the bytes read from it are
// compared and then loaded themselves, from a sealed anonymous memory file, so a file swapped in after
// the comparison is never loaded. Where no such memory file can be made, the library is loaded through
// the very descriptor that was compared. The engine's default skin is the "skinh.she" beside the library
// file on disk.
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
    void* handle_ = nullptr;
    bool loaded_ = false;
    int (*setAero_)(int) = nullptr;
    int (*attach_)() = nullptr;
    int (*attachEx_)(const char*, const char*) = nullptr;
};

} // namespace trimvox
