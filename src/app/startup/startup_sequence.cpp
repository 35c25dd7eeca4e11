// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/startup_sequence.h"

#include "platform/fs/data_folder.h"
#include "platform/fs/file_exists.h"
#include "platform/resources/resource_table.h"
#include "settings/mymode.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace trimvox {

std::optional<std::int16_t> ParseSkinNumber(const std::string& styleValue) {
    std::string text = styleValue.substr(0, styleValue.find('\0'));
    const auto begin = text.find_first_not_of(" \t");
    if (begin == std::string::npos) {
        return std::nullopt;
    }
    text = text.substr(begin, text.find_last_not_of(" \t") - begin + 1);
    // A plain decimal number: sign, digits, one point, an optional exponent. Nothing else (no hex,
    // no "inf", no trailing letters).
    if (text.find_first_not_of("+-.0123456789eE") != std::string::npos) {
        return std::nullopt;
    }
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0' || !std::isfinite(value)) {
        return std::nullopt;
    }
    const double floored = std::floor(value);
    if (floored < std::numeric_limits<std::int16_t>::min() ||
        floored > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(floored);
}

std::int16_t StartupSkinNumber(const std::string& styleValue) {
    const auto number = ParseSkinNumber(styleValue);
    return (!number || *number == 0) ? kFallbackSkin : *number;
}

namespace {

void WriteResourceIfMissing(int resource, const char* fileName) {
    const auto path = DataFile(fileName);
    if (FileExists(path)) {
        return;
    }
    if (const auto bytes = LoadCustomResource(resource)) {
        WriteNewFile(path, *bytes);
    }
}

} // namespace

void PrepareDataFolderAndSkin(SkinApi& skin) {
    mymode::CreateFolder(DataFolder());
    WriteResourceIfMissing(kSkinEngineResource, kSkinEngineFileName);
    WriteResourceIfMissing(kDefaultSkinResource, kDefaultSkinFileName);
    skin.SkinH_SetAero(1);
    skin.SkinH_Attach();
    mymode::LoadStyleSetting();
    const std::int16_t number = StartupSkinNumber(mymode::StyleValue);
    // A number without a resource gives an empty style file, which the engine refuses.
    const Bytes bytes = LoadCustomResource(number).value_or(Bytes{});
    const auto styleFile = DataFile(kStyleFileName);
    WriteNewFile(styleFile, bytes);
    skin.SkinH_AttachEx(styleFile.string(), "");
}

} // namespace trimvox
