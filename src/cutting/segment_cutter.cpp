#include "cutting/segment_cutter.h"

#include "cutting/cut_output.h"
#include "cutting/precise_cutter.h"

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

void RemoveOldOutput(const std::filesystem::path& output) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(output, error);
    if (std::filesystem::is_regular_file(status) || std::filesystem::is_symlink(status)) {
        std::filesystem::remove(output, error);
    }
}

CutResult Cut(const CutRequest& request) {
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

    const std::int64_t wanted = std::min(result.range.count, result.sourceLength - result.range.offset);
    const auto fill = [&](int target) -> std::string {
        const CopyOutcome copy =
            CopyByteRange(source.get(), result.range.offset, wanted, target, request.method);
        result.written = copy.copied;
        if (copy.readError != 0) {
            result.error = CutError::SourceUnreadable;
            return Reason(copy.readError);
        }
        if (copy.writeError != 0) {
            return Reason(copy.writeError);
        }
        if (copy.copied < wanted) {
            result.error = CutError::SourceShrank;
            return "it ended after " + std::to_string(copy.copied) + " of the " + std::to_string(wanted) +
                   " bytes to copy";
        }
        return {};
    };
    WriteCutOutput(request, source.get(), fill, result);
    return result;
}

} // namespace

CutResult CutSegment(const CutRequest& request) {
    CutResult result = request.mode == CutMode::Precise ? CutPrecisely(request) : Cut(request);
    if (!result.ok()) {
        result.written = 0;
        if (request.onFailure == OldOutput::Remove && result.error != CutError::SameFile) {
            RemoveOldOutput(request.output);
        }
    }
    return result;
}

} // namespace trimvox
