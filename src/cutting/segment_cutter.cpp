#include "cutting/segment_cutter.h"

#include "platform/fs/byte_file.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace trimvox {

namespace {

// Closes a file descriptor when it goes out of scope.
class FileHandle {
public:
    explicit FileHandle(int fd = -1) : fd_(fd) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    void Reset(int fd) {
        Close();
        fd_ = fd;
    }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; the errno of a failed close (a late write error on some file systems), or 0.
    int Close() {
        int error = 0;
        if (fd_ >= 0 && ::close(fd_) != 0 && errno != EINTR) {
            error = errno;
        }
        fd_ = -1;
        return error;
    }

private:
    int fd_;
};

std::string Reason(int error) {
    return std::strerror(error);
}

// Opens the source for reading. Non-blocking, so that a FIFO cannot hang the cut; a regular file reads the
// same either way.
CutError OpenSource(const std::filesystem::path& path, FileHandle& handle, std::int64_t& length,
                    std::string& detail) {
    handle.Reset(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (!handle.valid()) {
        detail = Reason(errno);
        return CutError::SourceUnreadable;
    }
    struct stat info {};
    if (::fstat(handle.get(), &info) != 0) {
        detail = Reason(errno);
        return CutError::SourceUnreadable;
    }
    if (!S_ISREG(info.st_mode)) {
        detail = S_ISDIR(info.st_mode) ? Reason(EISDIR) : "Not a regular file";
        return CutError::SourceUnreadable;
    }
    length = static_cast<std::int64_t>(info.st_size);
    return CutError::None;
}

// Creates a new temporary file beside the output, never one that is already there.
std::filesystem::path CreateTemporary(const std::filesystem::path& output, FileHandle& handle, int& error) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path temporary = TemporarySibling(output);
        handle.Reset(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
        if (handle.valid()) {
            return temporary;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    error = errno;
    return {};
}

void RemoveOldOutput(const std::filesystem::path& output) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(output, error);
    if (std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status)) {
        std::filesystem::remove(output, error);
    }
}

CutResult Cut(const CutRequest& request, std::filesystem::path& temporary) {
    CutResult result;
    if (!std::isfinite(request.duration) || request.duration <= 0.0) {
        result.error = CutError::BadDuration;
        return result;
    }
    FileHandle source;
    result.error = OpenSource(request.source, source, result.sourceLength, result.detail);
    if (!result.ok()) {
        return result;
    }
    const CutRangeResult mapped =
        ComputeCutRange(request.startPos, request.endPos, request.duration, result.sourceLength);
    if (!mapped.range) {
        result.error =
            mapped.error == CutRangeError::BadDuration ? CutError::BadDuration : CutError::BadMarks;
        return result;
    }
    result.range = *mapped.range;
    if (result.range.offset >= result.sourceLength) {
        result.error = CutError::EmptySegment;
        return result;
    }

    std::error_code status;
    if (std::filesystem::is_directory(request.output, status)) {
        result.error = CutError::OutputUnwritable;
        result.detail = Reason(EISDIR);
        return result;
    }
    FileHandle target;
    int error = 0;
    temporary = CreateTemporary(request.output, target, error);
    if (!target.valid()) {
        result.error = CutError::OutputUnwritable;
        result.detail = Reason(error);
        return result;
    }
    const std::int64_t wanted = std::min(result.range.count, result.sourceLength - result.range.offset);
    const CopyOutcome copy =
        CopyByteRange(source.get(), result.range.offset, wanted, target.get(), request.method);
    result.written = copy.copied;
    if (copy.readError != 0) {
        result.error = CutError::SourceUnreadable;
        result.detail = Reason(copy.readError);
        return result;
    }
    if (copy.writeError != 0) {
        result.error = CutError::OutputUnwritable;
        result.detail = Reason(copy.writeError);
        return result;
    }
    if (copy.copied == 0) {
        result.error = CutError::EmptySegment; // the source shrank while it was cut
        return result;
    }
    if (const int closeError = target.Close(); closeError != 0) {
        result.error = CutError::OutputUnwritable;
        result.detail = Reason(closeError);
        return result;
    }
    if (::rename(temporary.c_str(), request.output.c_str()) != 0) {
        result.error = CutError::OutputUnwritable;
        result.detail = Reason(errno);
        return result;
    }
    temporary.clear();
    return result;
}

} // namespace

CutResult CutSegment(const CutRequest& request) {
    std::filesystem::path temporary;
    CutResult result = Cut(request, temporary);
    if (!temporary.empty()) {
        std::error_code error;
        std::filesystem::remove(temporary, error);
    }
    if (!result.ok()) {
        result.written = 0;
        if (request.onFailure == OldOutput::Remove) {
            RemoveOldOutput(request.output);
        }
    }
    return result;
}

} // namespace trimvox
