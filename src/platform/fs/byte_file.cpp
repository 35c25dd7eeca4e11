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

enum class WriteResult { NotOpened, Failed, Written };

// A file that was opened but not written whole is removed, so no half file is left behind.
WriteResult WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        return WriteResult::NotOpened;
    }
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (out.fail()) {
        std::error_code error;
        std::filesystem::remove(path, error);
        return WriteResult::Failed;
    }
    return WriteResult::Written;
}

} // namespace

bool WriteNewFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
        std::filesystem::remove(path, error);
    }
    return WriteBytes(path, bytes) == WriteResult::Written;
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
    if (WriteBytes(temporary, bytes) != WriteResult::Written) {
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
