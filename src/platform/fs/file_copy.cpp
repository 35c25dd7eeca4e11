#include "platform/fs/file_copy.h"

#include "platform/fs/atomic_output.h"
#include "platform/fs/byte_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace trimvox {

namespace {

// Copies everything from `source`'s start to `target`: in the kernel where it can, else through a buffer.
std::string CopyAll(int source, int target) {
    off_t offset = 0;
    for (;;) {
        const ssize_t moved = ::copy_file_range(source, &offset, target, nullptr, 1 << 30, 0);
        if (moved == 0) {
            return {};
        }
        if (moved < 0) {
            break; // not between these files: the buffer carries on from `offset`
        }
    }
    std::uint8_t buffer[128 * 1024];
    for (;;) {
        const ssize_t got = ::pread(source, buffer, sizeof buffer, offset);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return std::strerror(errno);
        }
        if (got == 0) {
            return {};
        }
        if (std::string problem = WriteAllBytes(target, buffer, static_cast<std::size_t>(got));
            !problem.empty()) {
            return problem;
        }
        offset += got;
    }
}

} // namespace

std::string CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target) {
    const int from = ::open(source.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat info {};
    if (from < 0 || ::fstat(from, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (from >= 0) {
            ::close(from);
        }
        return std::make_error_code(std::errc::no_such_file_or_directory).message();
    }
    const std::string reason = WriteFileAtomically(target, [from](int to) { return CopyAll(from, to); });
    ::close(from);
    return reason;
}

} // namespace trimvox
