// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "peaks/peak_level.h"

#include <cstdint>
#include <filesystem>
#include <optional>

namespace trimvox {

// Where the peaks are kept: $XDG_CACHE_HOME/trimvox, or ~/.cache/trimvox without it (empty when neither
// variable is set).
std::filesystem::path DefaultPeakCacheFolder();

// The fine peaks of files opened before, one .dat file (see dat_format.h) per source, named by a hash of the
// source's absolute path followed by a hash of its size and modification time: a changed file misses, and
// its stale entry is removed when the new one is stored. The folder is kept under `maxBytes` in all, the
// entries used longest ago dropped first (a hit counts as a use). Every write is atomic; a damaged entry is
// a miss. Nothing here throws.
class PeakCache {
public:
    static constexpr std::uintmax_t kDefaultMaxBytes = 128u << 20;

    explicit PeakCache(std::filesystem::path folder, std::uintmax_t maxBytes = kDefaultMaxBytes);

    const std::filesystem::path& folder() const { return folder_; }

    // The cached level for the file as it is now on disk; nothing when absent, stale or damaged.
    std::optional<PeakLevel> load(const std::filesystem::path& source) const;
    // Keeps the level for the file as it is now; false when the folder or the file could not be written.
    bool store(const std::filesystem::path& source, const PeakLevel& level) const;
    // The entry's name for the file as it is now (empty when the file cannot be read).
    std::filesystem::path entryFor(const std::filesystem::path& source) const;

private:
    // Drops the entries used longest ago until the folder fits; never `newest`, the entry just stored (file
    // times are coarse: two entries written within a few milliseconds can carry the same time).
    void trim(const std::filesystem::path& newest) const;

    std::filesystem::path folder_;
    std::uintmax_t maxBytes_;
};

} // namespace trimvox
