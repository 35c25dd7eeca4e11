// SPDX-License-Identifier: GPL-3.0-or-later
#include "peaks/peak_cache.h"

#include "peaks/dat_format.h"
#include "platform/fs/atomic_output.h"
#include "platform/fs/byte_file.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;

namespace trimvox {

namespace {

std::uint64_t Fnv1a(std::string_view text, std::uint64_t hash = 14695981039346656037ull) {
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::string Hex(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

std::string PathPart(const fs::path& source) {
    std::error_code error;
    fs::path absolute = fs::absolute(source, error);
    if (error) {
        absolute = source;
    }
    return Hex(Fnv1a(absolute.lexically_normal().string()));
}

constexpr std::string_view kSuffix = ".dat";

} // namespace

fs::path DefaultPeakCacheFolder() {
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg != nullptr && xdg[0] == '/') {
        return fs::path(xdg) / "trimvox";
    }
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
        return fs::path(home) / ".cache" / "trimvox";
    }
    return {};
}

PeakCache::PeakCache(fs::path folder, std::uintmax_t maxBytes)
    : folder_(std::move(folder)), maxBytes_(maxBytes) {}

fs::path PeakCache::entryFor(const fs::path& source) const {
    struct stat info {};
    if (folder_.empty() || ::stat(source.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return {};
    }
    const std::string stamp = std::to_string(info.st_size) + ':' + std::to_string(info.st_mtim.tv_sec) + '.' +
                              std::to_string(info.st_mtim.tv_nsec) + ':' + std::to_string(info.st_ino);
    return folder_ / (PathPart(source) + '-' + Hex(Fnv1a(stamp)).substr(0, 8) + std::string(kSuffix));
}

std::optional<PeakLevel> PeakCache::load(const fs::path& source) const {
    const fs::path entry = entryFor(source);
    if (entry.empty()) {
        return std::nullopt;
    }
    const std::optional<Bytes> bytes = ReadWholeFile(entry, std::size_t{1} << 30);
    if (!bytes) {
        return std::nullopt;
    }
    std::optional<PeakLevel> level =
        ReadDat(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
    if (level) {
        std::error_code error;
        fs::last_write_time(entry, fs::file_time_type::clock::now(), error); // a use: kept longer
    }
    return level;
}

bool PeakCache::store(const fs::path& source, const PeakLevel& level) const {
    const fs::path entry = entryFor(source);
    if (entry.empty()) {
        return false;
    }
    std::error_code error;
    fs::create_directories(folder_, error);
    const std::string bytes = WriteDat(level);
    const std::string failure = WriteFileAtomically(
        entry,
        [&](int fd) {
            return WriteAllBytes(fd, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
        },
        WriteOptions{ReplacePolicy::DataFolderResource, true});
    if (!failure.empty()) {
        return false;
    }
    // The entries of earlier states of the same file.
    const std::string prefix = PathPart(source) + '-';
    for (const auto& item : fs::directory_iterator(folder_, error)) {
        const std::string name = item.path().filename().string();
        if (name.starts_with(prefix) && item.path() != entry) {
            fs::remove(item.path(), error);
        }
    }
    trim(entry);
    return true;
}

void PeakCache::trim(const fs::path& newest) const {
    struct Entry {
        fs::path path;
        std::uintmax_t size;
        fs::file_time_type used;
    };
    std::vector<Entry> entries;
    std::uintmax_t total = 0;
    std::error_code error;
    for (const auto& item : fs::directory_iterator(folder_, error)) {
        std::error_code itemError;
        if (item.path().extension() != kSuffix || !item.is_regular_file(itemError)) {
            continue;
        }
        const std::uintmax_t size = item.file_size(itemError);
        const fs::file_time_type used = item.last_write_time(itemError);
        if (!itemError) {
            entries.push_back({item.path(), size, used});
            total += size;
        }
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.used < b.used; });
    for (const Entry& entry : entries) {
        if (total <= maxBytes_) {
            break;
        }
        if (entry.path != newest && fs::remove(entry.path, error)) {
            total -= entry.size;
        }
    }
}

} // namespace trimvox
