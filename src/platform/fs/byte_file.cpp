#include "platform/fs/byte_file.h"

#include <atomic>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <unistd.h>

namespace trimvox {

std::optional<Bytes> ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    Bytes bytes;
    char buffer[64 * 1024];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.insert(bytes.end(), buffer, buffer + in.gcount());
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return bytes;
}

namespace {

bool WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return false;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

} // namespace

bool WriteNewFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
        std::filesystem::remove(path, error);
    }
    if (!WriteBytes(path, bytes)) {
        std::filesystem::remove(path, error);
        return false;
    }
    return true;
}

std::filesystem::path TemporarySibling(const std::filesystem::path& path) {
    static std::atomic<unsigned> counter{0};
    std::filesystem::path dir = path.parent_path();
    for (;;) {
        std::string name = "." + path.filename().string() + "." + std::to_string(::getpid()) + "." +
                           std::to_string(counter++) + ".tmp";
        std::filesystem::path candidate = dir / name;
        std::error_code error;
        if (!std::filesystem::exists(std::filesystem::symlink_status(candidate, error))) {
            return candidate;
        }
    }
}

bool ReplaceFileAtomically(const std::filesystem::path& path, const Bytes& bytes) {
    const std::filesystem::path temporary = TemporarySibling(path);
    std::error_code error;
    if (!WriteBytes(temporary, bytes)) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

} // namespace trimvox
