// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fs/atomic_output.h"

#include "platform/fs/pending_temporary.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace trimvox {

namespace {

constexpr int kMaxLinks = 40;       // as the kernel's own limit on a chain of links
constexpr int kNameAttempts = 1000; // names tried before giving up on a crowded folder

std::string Reason(int error) {
    return std::strerror(error);
}

// Where the new file goes and what it keeps of the file it replaces.
struct Destination {
    std::filesystem::path path;
    std::optional<mode_t> keepMode;
};

bool InGroup(gid_t group) {
    if (group == ::getegid()) {
        return true;
    }
    const int count = ::getgroups(0, nullptr);
    std::vector<gid_t> groups(count > 0 ? count : 0);
    const int got = ::getgroups(static_cast<int>(groups.size()), groups.data());
    for (int i = 0; i < got; ++i) {
        if (groups[i] == group) {
            return true;
        }
    }
    return false;
}

// Whether the user may write the file: its permission bits as they apply to this process. Root is not
// held back by them, so for root a file without any write bit counts as write-protected.
bool MayWrite(const struct stat& info) {
    const uid_t user = ::geteuid();
    if (user == 0) {
        return (info.st_mode & 0222) != 0;
    }
    if (info.st_uid == user) {
        return (info.st_mode & S_IWUSR) != 0;
    }
    return (info.st_mode & (InGroup(info.st_gid) ? S_IWGRP : S_IWOTH)) != 0;
}

// Follows the target's links as the policy says and checks what is there; an empty text, or the reason.
std::string Resolve(const std::filesystem::path& target, ReplacePolicy policy, Destination& out) {
    std::filesystem::path current = target;
    for (int hops = 0;; ++hops) {
        struct stat info {};
        if (::lstat(current.c_str(), &info) != 0) {
            if (errno != ENOENT) {
                return Reason(errno);
            }
            out.path = current; // a new file (a dangling link's destination, for a user file)
            return {};
        }
        if (S_ISLNK(info.st_mode)) {
            if (policy == ReplacePolicy::DataFolderResource) {
                out.path = current; // the link itself is replaced
                return {};
            }
            if (hops == kMaxLinks) {
                return Reason(ELOOP);
            }
            std::error_code error;
            const std::filesystem::path link = std::filesystem::read_symlink(current, error);
            if (error) {
                return error.message();
            }
            current = link.is_absolute() ? link : current.parent_path() / link;
            continue;
        }
        if (S_ISDIR(info.st_mode)) {
            return Reason(EISDIR);
        }
        if (!S_ISREG(info.st_mode)) {
            return "Not a regular file";
        }
        if (policy == ReplacePolicy::UserFile) {
            if (!MayWrite(info)) {
                return Reason(EACCES);
            }
            out.keepMode = info.st_mode & 07777;
        }
        out.path = current;
        return {};
    }
}

// A short name beside the destination that no file has yet, whatever the destination's name is.
std::filesystem::path ShortName(const std::filesystem::path& folder) {
    static std::atomic<unsigned> counter{0};
    return folder / (".trimvox-" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp");
}

// The temporary file: unnamed until it is linked in, or named from the start.
class Temporary {
public:
    explicit Temporary(std::filesystem::path folder) : folder_(std::move(folder)) {}
    ~Temporary() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
        if (!name_.empty()) {
            ::unlink(name_.c_str());
        }
    }

    // Opens the file; an empty text, or the reason.
    std::string Open(bool unnamed) {
#ifdef O_TMPFILE
        if (unnamed) {
            fd_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                return {};
            }
        }
#else
        (void)unnamed;
#endif
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            const std::filesystem::path name = ShortName(folder_);
            fd_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0) {
                Named(name);
                return {};
            }
            if (errno != EEXIST) {
                break;
            }
        }
        return Reason(errno);
    }

    int fd() const {
        return fd_;
    }

    // Closes the complete file under a name of its own; an empty text, or the reason.
    std::string Finish() {
        if (name_.empty()) {
            if (const std::string problem = LinkIn(); !problem.empty()) {
                return problem;
            }
        }
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0 && errno != EINTR) {
            return Reason(errno);
        }
        return {};
    }

    // Renames the finished file over `destination`; an empty text, or the reason.
    std::string PutInPlace(const std::filesystem::path& destination) {
        if (::rename(name_.c_str(), destination.c_str()) != 0) {
            return Reason(errno);
        }
        name_.clear();
        pending_.reset();
        return {};
    }

private:
    void Named(const std::filesystem::path& name) {
        name_ = name;
        pending_.emplace(name);
    }

    // Gives the unnamed file a short name, through the descriptor itself where the process may, else
    // through its /proc entry.
    std::string LinkIn() {
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
            const std::filesystem::path name = ShortName(folder_);
            int linked = ::linkat(fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
            if (linked != 0 && errno != EEXIST) {
                linked = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
            }
            if (linked == 0) {
                Named(name);
                return {};
            }
            if (errno != EEXIST) {
                break;
            }
        }
        return Reason(errno);
    }

    std::filesystem::path folder_;
    std::filesystem::path name_; // empty while the file has no name, and once it is in place
    int fd_ = -1;
    std::optional<PendingTemporary> pending_;
};

} // namespace

std::string WriteFileAtomically(const std::filesystem::path& target, const OutputFiller& fill,
                                const WriteOptions& options) {
    Destination destination;
    if (std::string problem = Resolve(target, options.policy, destination); !problem.empty()) {
        return problem;
    }
    std::filesystem::path folder = destination.path.parent_path();
    Temporary temporary(folder.empty() ? std::filesystem::path(".") : folder);
    if (std::string problem = temporary.Open(options.unnamedTemporary); !problem.empty()) {
        return problem;
    }
    std::string reason = fill(temporary.fd());
    if (reason.empty() && destination.keepMode && ::fchmod(temporary.fd(), *destination.keepMode) != 0) {
        reason = Reason(errno);
    }
    if (reason.empty()) {
        reason = temporary.Finish();
    }
    if (reason.empty()) {
        reason = temporary.PutInPlace(destination.path);
    }
    return reason;
}

} // namespace trimvox
