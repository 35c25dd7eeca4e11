// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fs/byte_file.h"

#include "platform/fs/atomic_output.h"
#include "platform/fs/span_io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trimvox {

std::optional<Bytes> ReadWholeDescriptor(int fd, std::size_t maxBytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uintmax_t>(info.st_size) > maxBytes) {
        return std::nullopt;
    }
    Bytes bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    std::uint8_t buffer[64 * 1024];
    for (;;) {
        const std::int64_t got = ReadSpan(fd, buffer, sizeof buffer, static_cast<std::int64_t>(bytes.size()));
        if (got < 0) {
            return std::nullopt;
        }
        if (got == 0) {
            return bytes;
        }
        if (static_cast<std::size_t>(got) > maxBytes - bytes.size()) {
            return std::nullopt; // it grew past the limit while it was read
        }
        bytes.insert(bytes.end(), buffer, buffer + got);
    }
}

std::optional<Bytes> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return std::nullopt;
    }
    auto bytes = ReadWholeDescriptor(fd, maxBytes);
    ::close(fd);
    return bytes;
}

std::string WriteAllBytes(int fd, const std::uint8_t* data, std::size_t size) {
    const int error = WriteSpan(fd, data, size);
    return error == 0 ? std::string() : std::strerror(error);
}

namespace {

bool WriteWith(const std::filesystem::path& path, const Bytes& bytes, ReplacePolicy policy) {
    const auto fill = [&bytes](int fd) { return WriteAllBytes(fd, bytes.data(), bytes.size()); };
    return WriteFileAtomically(path, fill, {.policy = policy}).empty();
}

} // namespace

bool WriteNewFile(const std::filesystem::path& path, const Bytes& bytes) {
    return WriteWith(path, bytes, ReplacePolicy::DataFolderResource);
}

bool ReplaceFileAtomically(const std::filesystem::path& path, const Bytes& bytes) {
    return WriteWith(path, bytes, ReplacePolicy::UserFile);
}

} // namespace trimvox
