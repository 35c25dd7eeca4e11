// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cutting/segment_cutter.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace trimvox {

// The source of a cut, open for reading while the cut runs.
class CutSource {
public:
    CutSource() = default;
    ~CutSource();
    CutSource(const CutSource&) = delete;
    CutSource& operator=(const CutSource&) = delete;

    // Opens a regular file for reading, without blocking (so that a FIFO cannot hang the cut; a regular
    // file reads the same either way); an empty text, or the reason when it cannot.
    std::string Open(const std::filesystem::path& path);
    // Up to `size` bytes from `offset` (fewer at the end of the file or on an error).
    std::vector<std::uint8_t> Read(std::int64_t offset, std::int64_t size) const;

    int fd() const { return fd_; }
    // The length the file had when it was opened.
    std::int64_t length() const { return length_; }

private:
    int fd_ = -1;
    std::int64_t length_ = 0;
};

// Opens the request's source for a cut and takes its length into the result; false, with the result saying
// why (SourceUnreadable), when it cannot.
bool OpenCutSource(const CutRequest& request, CutSource& source, CutResult& result);

} // namespace trimvox
