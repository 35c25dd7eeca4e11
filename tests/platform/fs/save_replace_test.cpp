// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file the user named, as the save command does, and the temporary file of every write.
#include "platform/fs/atomic_output.h"
#include "platform/fs/byte_file.h"
#include "platform/fs/file_copy.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;

const Bytes kOld = {'o', 'l', 'd'};
const Bytes kNew = {'n', 'e', 'w', ' ', 'c', 'u', 't'};

void Write(const fs::path& path, const Bytes& bytes, mode_t mode = 0644) {
    ASSERT_TRUE(ReplaceFileAtomically(path, bytes));
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
}

struct stat Lstat(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info;
}

// One way the save target can be before the save: `prepare` makes it in `dir` and returns the name the
// user gave; `check` looks at the folder afterwards.
struct SaveCase {
    const char* name;
    std::function<fs::path(const fs::path& dir)> prepare;
    bool saved;
    std::function<void(const fs::path& dir, const fs::path& target)> check;
};

std::ostream& operator<<(std::ostream& out, const SaveCase& c) {
    return out << c.name;
}

class SaveReplaceTest : public testing::TestWithParam<SaveCase> {};

// The preview copied over the target: written or refused as the target allows, the target as it was on
// refusal, and never a temporary file left behind.
TEST_P(SaveReplaceTest, ReplacesOnlyWhatMayBeReplaced) {
    const SaveCase& c = GetParam();
    test::TempDir preview, dir;
    const fs::path source = preview.path() / "tcut.mp3";
    Write(source, kNew);
    const fs::path target = c.prepare(dir.path());
    const auto before = test::FolderNames(dir.path());

    const std::string error = CopyFileReplacing(source, target);
    EXPECT_EQ(error.empty(), c.saved) << error;
    c.check(dir.path(), target);
    EXPECT_EQ(test::FolderNames(dir.path()),
              before.empty() ? std::vector<std::string>{target.filename()} : before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveReplaceTest,
    testing::Values(
        SaveCase{"PermissionBitsAreKept",
                 [](const fs::path& dir) {
                     Write(dir / "keep.mp3", kOld, 0600);
                     return dir / "keep.mp3";
                 },
                 true,
                 [](const fs::path&, const fs::path& target) {
                     EXPECT_EQ(ReadWholeFile(target), kNew);
                     EXPECT_EQ(Lstat(target).st_mode & 07777, 0600u);
                 }},
        SaveCase{"ASymbolicLinkIsFollowedAndItsTargetReplaced",
                 [](const fs::path& dir) {
                     fs::create_directory(dir / "real");
                     Write(dir / "real" / "song.mp3", kOld, 0640);
                     fs::create_symlink("real/song.mp3", dir / "link.mp3");
                     return dir / "link.mp3";
                 },
                 true,
                 [](const fs::path& dir, const fs::path& target) {
                     EXPECT_TRUE(fs::is_symlink(target));
                     EXPECT_EQ(ReadWholeFile(dir / "real" / "song.mp3"), kNew);
                     EXPECT_EQ(Lstat(dir / "real" / "song.mp3").st_mode & 07777, 0640u);
                     EXPECT_EQ(test::FolderNames(dir / "real"), std::vector<std::string>{"song.mp3"});
                 }},
        SaveCase{"ADanglingLinkGetsItsFile",
                 [](const fs::path& dir) {
                     fs::create_symlink("made.mp3", dir / "link.mp3");
                     return dir / "link.mp3";
                 },
                 true,
                 [](const fs::path& dir, const fs::path& target) {
                     EXPECT_TRUE(fs::is_symlink(target));
                     EXPECT_EQ(ReadWholeFile(dir / "made.mp3"), kNew);
                     fs::remove(dir / "made.mp3"); // the folder's names are compared with those before
                 }},
        SaveCase{"AWriteProtectedFileIsRefused",
                 [](const fs::path& dir) {
                     Write(dir / "locked.mp3", kOld, 0444);
                     return dir / "locked.mp3";
                 },
                 false,
                 [](const fs::path&, const fs::path& target) {
                     EXPECT_EQ(ReadWholeFile(target), kOld);
                     EXPECT_EQ(Lstat(target).st_mode & 07777, 0444u);
                 }},
        SaveCase{"AFifoIsRefusedAndLeftAsItIs",
                 [](const fs::path& dir) {
                     ::mkfifo((dir / "pipe.mp3").c_str(), 0644);
                     return dir / "pipe.mp3";
                 },
                 false, [](const fs::path&, const fs::path& target) { EXPECT_TRUE(fs::is_fifo(target)); }},
        SaveCase{"ANameOf255BytesIsSaved",
                 [](const fs::path& dir) {
                     std::string name;
                     for (int i = 0; i < 83; ++i) {
                         name += "声"; // 3 bytes each
                     }
                     name += "12.mp3";
                     EXPECT_EQ(name.size(), 255u);
                     return dir / name;
                 },
                 true,
                 [](const fs::path&, const fs::path& target) { EXPECT_EQ(ReadWholeFile(target), kNew); }}),
    [](const testing::TestParamInfo<SaveCase>& info) { return std::string(info.param.name); });

// A write whose filler waits until the test has looked at the folder and, when asked, sent a signal: in a
// child process, so a signal's default action ends only the child.
struct WriteInChild {
    pid_t pid = -1;
    int ready = -1; // the child writes one byte here from inside the filler

    WriteInChild(const fs::path& target, const WriteOptions& options) {
        int pipe[2];
        EXPECT_EQ(::pipe(pipe), 0);
        pid = ::fork();
        if (pid == 0) {
            ::close(pipe[0]);
            const std::string reason = WriteFileAtomically(
                target,
                [&](int fd) {
                    const std::string partial = WriteAllBytes(fd, kNew.data(), kNew.size());
                    const char byte = 1;
                    (void)!::write(pipe[1], &byte, 1);
                    ::pause(); // until the signal ends the child
                    return partial;
                },
                options);
            ::_exit(reason.empty() ? 0 : 1);
        }
        ::close(pipe[1]);
        ready = pipe[0];
        char byte = 0;
        EXPECT_EQ(::read(ready, &byte, 1), 1);
    }
    ~WriteInChild() { ::close(ready); }

    // Sends the signal and returns the signal that ended the child (0 when it exited).
    int End(int signal) {
        ::kill(pid, signal);
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    }
};

// No signal leaves a part-written file behind: the unnamed temporary has no name to leave, and a named
// temporary is removed by SIGINT and SIGTERM before the program ends by the signal.
TEST(AtomicOutput, AnInterruptedWriteLeavesNoFile) {
    struct Case {
        bool unnamed;
        int signal;
    };
    for (const Case c :
         {Case{true, SIGTERM}, Case{true, SIGKILL}, Case{false, SIGINT}, Case{false, SIGTERM}}) {
        test::TempDir dir;
        Write(dir.path() / "out.mp3", kOld);
        WriteInChild child(dir.path() / "out.mp3", {.unnamedTemporary = c.unnamed});
        // Meanwhile the folder shows the old file, and a named temporary only when asked for.
        EXPECT_EQ(test::FolderNames(dir.path()).size(), c.unnamed ? 1u : 2u) << c.signal;
        EXPECT_EQ(child.End(c.signal), c.signal);
        EXPECT_EQ(test::FolderNames(dir.path()), std::vector<std::string>{"out.mp3"}) << c.signal;
        EXPECT_EQ(ReadWholeFile(dir.path() / "out.mp3"), kOld) << c.signal;
    }
}

} // namespace
} // namespace trimvox
