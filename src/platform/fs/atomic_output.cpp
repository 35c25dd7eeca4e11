#include "platform/fs/atomic_output.h"

#include "platform/fs/byte_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace trimvox {

std::string WriteFileAtomically(const std::filesystem::path& target, const OutputFiller& fill) {
    std::error_code status;
    if (std::filesystem::is_directory(target, status)) {
        return std::strerror(EISDIR);
    }
    std::filesystem::path temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = TemporarySibling(target);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) {
            break;
        }
    }
    if (fd < 0) {
        return std::strerror(errno);
    }
    std::string reason = fill(fd);
    if (::close(fd) != 0 && reason.empty() && errno != EINTR) {
        reason = std::strerror(errno);
    }
    if (reason.empty() && ::rename(temporary.c_str(), target.c_str()) != 0) {
        reason = std::strerror(errno);
    }
    if (!reason.empty()) {
        ::unlink(temporary.c_str());
    }
    return reason;
}

} // namespace trimvox
