// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutting/cut_source.h"

#include "platform/fs/span_io.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trimvox {

CutSource::~CutSource() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::string CutSource::Open(const std::filesystem::path& path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) {
        return std::strerror(errno);
    }
    if (!S_ISREG(info.st_mode)) {
        return S_ISDIR(info.st_mode) ? std::strerror(EISDIR) : "Not a regular file";
    }
    length_ = static_cast<std::int64_t>(info.st_size);
    return {};
}

std::vector<std::uint8_t> CutSource::Read(std::int64_t offset, std::int64_t size) const {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max<std::int64_t>(size, 0)));
    const std::int64_t got = ReadSpan(fd_, bytes.data(), bytes.size(), offset);
    bytes.resize(static_cast<std::size_t>(std::max<std::int64_t>(got, 0)));
    return bytes;
}

bool OpenCutSource(const CutRequest& request, CutSource& source, CutResult& result) {
    if (std::string problem = source.Open(request.source); !problem.empty()) {
        result.error = CutError::SourceUnreadable;
        result.detail = std::move(problem);
        return false;
    }
    result.sourceLength = source.length();
    return true;
}

} // namespace trimvox
