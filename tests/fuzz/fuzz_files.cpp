// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_files.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <system_error>
#include <unistd.h>

namespace trimvox::fuzz {

namespace {

[[noreturn]] void Fail(const char* what) {
    std::perror(what);
    std::abort();
}

std::filesystem::path MakeScratchFolder() {
    std::string base = "/dev/shm";
    if (::access(base.c_str(), W_OK) != 0) {
        const char* tmp = std::getenv("TMPDIR");
        base = tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp";
    }
    std::string pattern = base + "/trimvox-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        Fail("mkdtemp");
    }
    return pattern;
}

std::filesystem::path scratch;

void RemoveScratch() {
    std::error_code error;
    std::filesystem::remove_all(scratch, error);
}

} // namespace

MemoryFile::MemoryFile() {
    fd_ = ::memfd_create("trimvox-fuzz-input", MFD_CLOEXEC);
    if (fd_ < 0) {
        Fail("memfd_create");
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

MemoryFile& MemoryFile::Instance() {
    static MemoryFile file;
    return file;
}

void MemoryFile::Fill(const std::uint8_t* data, std::size_t size) {
    if (::ftruncate(fd_, 0) != 0) {
        Fail("ftruncate");
    }
    std::size_t done = 0;
    while (done < size) {
        const ssize_t wrote = ::pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
        if (wrote <= 0) {
            Fail("pwrite");
        }
        done += static_cast<std::size_t>(wrote);
    }
    size_ = static_cast<std::int64_t>(size);
}

const std::filesystem::path& ScratchFolder() {
    if (scratch.empty()) {
        scratch = MakeScratchFolder();
        std::atexit(RemoveScratch);
    }
    return scratch;
}

} // namespace trimvox::fuzz
