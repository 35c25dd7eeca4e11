// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fs/file_copy.h"

#include "platform/fs/atomic_output.h"
#include "platform/fs/byte_range_copy.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace trimvox {

namespace {

// Copies everything from `source`'s start to `target`: in the kernel where it can, else through buffers.
std::string CopyAll(int source, int target) {
    constexpr std::int64_t kToTheEnd = std::numeric_limits<std::int64_t>::max() / 2;
    const CopyOutcome outcome = CopyByteRange(source, 0, kToTheEnd, target);
    const int error = outcome.readError != 0 ? outcome.readError : outcome.writeError;
    return error == 0 ? std::string() : std::strerror(error);
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
