// SPDX-License-Identifier: GPL-3.0-or-later
#include "peaks/dat_format.h"

#include <cstdint>
#include <cstring>

namespace trimvox {

namespace {

constexpr char kTrailerTag[4] = {'T', 'V', 'X', 'S'};

void PutLe(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    }
}

std::uint64_t GetLe(std::string_view in, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint64_t>(static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]))
                 << (8 * i);
    }
    return value;
}

} // namespace

std::string WriteDat(const PeakLevel& level) {
    std::string out;
    out.reserve(24 + level.pairs.size() + 12);
    PutLe(out, 2, 4);
    PutLe(out, 1, 4);
    PutLe(out, static_cast<std::uint64_t>(level.rate), 4);
    PutLe(out, static_cast<std::uint64_t>(level.samplesPerPixel), 4);
    PutLe(out, level.pixels(), 4);
    PutLe(out, 1, 4);
    out.append(reinterpret_cast<const char*>(level.pairs.data()), level.pairs.size());
    out.append(kTrailerTag, 4);
    PutLe(out, static_cast<std::uint64_t>(level.totalSamples), 8);
    return out;
}

std::optional<PeakLevel> ReadDat(std::string_view bytes) {
    if (bytes.size() < 20) {
        return std::nullopt;
    }
    const auto version = static_cast<std::int32_t>(GetLe(bytes, 0, 4));
    const std::size_t header = version == 1 ? 20 : version == 2 ? 24 : 0;
    if (header == 0 || bytes.size() < header) {
        return std::nullopt;
    }
    const std::uint32_t flags = static_cast<std::uint32_t>(GetLe(bytes, 4, 4));
    const auto rate = static_cast<std::int32_t>(GetLe(bytes, 8, 4));
    const auto spp = static_cast<std::int32_t>(GetLe(bytes, 12, 4));
    const std::uint64_t pixels = GetLe(bytes, 16, 4);
    const auto channels = version == 2 ? static_cast<std::int32_t>(GetLe(bytes, 20, 4)) : 1;
    if ((flags & 1u) == 0 || rate <= 0 || spp <= 0 || channels != 1 || bytes.size() - header < 2 * pixels) {
        return std::nullopt;
    }
    PeakLevel level;
    level.rate = rate;
    level.samplesPerPixel = spp;
    level.pairs.resize(2 * pixels);
    std::memcpy(level.pairs.data(), bytes.data() + header, level.pairs.size());
    level.totalSamples = static_cast<std::int64_t>(pixels) * spp;
    const std::size_t trailer = header + 2 * pixels;
    if (bytes.size() >= trailer + 12 && bytes.substr(trailer, 4) == std::string_view(kTrailerTag, 4)) {
        const auto total = static_cast<std::int64_t>(GetLe(bytes, trailer + 4, 8));
        if (total > static_cast<std::int64_t>(pixels - (pixels > 0 ? 1 : 0)) * spp &&
            total <= level.totalSamples) {
            level.totalSamples = total;
        }
    }
    return level;
}

} // namespace trimvox
