// SPDX-License-Identifier: GPL-3.0-or-later
// trimvox-cut's OUTPUT and SOURCE in the cases a script may meet: the real program, as a script runs it.
#include "support/pattern_file.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace trimvox {
namespace {

namespace fs = std::filesystem;
using test::PatternBytes;

// The real program, started with its standard error in a file.
class CutProcess {
public:
    CutProcess(const std::vector<std::string>& args, const fs::path& errFile) {
        std::vector<std::string> all = {TRIMVOX_CUT_PROGRAM};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& arg : all) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        EXPECT_EQ(::posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
    }

    pid_t pid() const { return pid_; }

    // The exit status, or 128 + the signal that ended it.
    int Wait() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

private:
    pid_t pid_ = -1;
};

mode_t Mode(const fs::path& path) {
    struct stat info {};
    ::lstat(path.c_str(), &info);
    return info.st_mode;
}

// A regular file whose length says more than it holds: sysfs gives every attribute the length of a page.
fs::path FileThatEndsEarly() {
    for (const char* path :
         {"/sys/kernel/uevent_seqnum", "/sys/kernel/mm/transparent_hugepage/enabled", "/sys/power/state"}) {
        struct stat info {};
        if (::stat(path, &info) == 0 && S_ISREG(info.st_mode) && info.st_size == 4096) {
            return path;
        }
    }
    return {};
}

// The source is "song.mp3" (1000 pattern bytes, 10 s); `prepare` makes the case in the folder and returns
// the arguments SOURCE and OUTPUT.
struct OutputCase {
    const char* name;
    std::function<std::pair<fs::path, fs::path>(const fs::path& dir)> prepare;
    int status;
    const char* message; // a part of the one line on standard error, when it fails
    std::function<void(const fs::path& dir)> check;
};

std::ostream& operator<<(std::ostream& out, const OutputCase& c) {
    return out << c.name;
}

class CutOutputTest : public testing::TestWithParam<OutputCase> {};

TEST_P(CutOutputTest, WritesARegularFileOrNothing) {
    const OutputCase& c = GetParam();
    test::TempDir dir;
    test::WritePatternFile(dir.path() / "song.mp3", 1000);
    const auto [source, output] = c.prepare(dir.path());
    if (source.empty()) {
        GTEST_SKIP() << "no file here that ends before its length";
    }
    test::TempDir errors;
    CutProcess cut({"--duration", "10", source.string(), "0", "5", output.string()}, errors.path() / "err");
    EXPECT_EQ(cut.Wait(), c.status);
    const auto err = ReadWholeFile(errors.path() / "err").value_or(Bytes{});
    EXPECT_NE(std::string(err.begin(), err.end()).find(c.message), std::string::npos)
        << std::string(err.begin(), err.end());
    EXPECT_EQ(ReadWholeFile(dir.path() / "song.mp3"), PatternBytes(0, 1000)); // the source is whole
    c.check(dir.path());
    for (const std::string& name : test::FolderNames(dir.path())) {
        EXPECT_NE(name.front(), '.') << name; // no temporary file left
    }
}

const Bytes kFirstHalf = PatternBytes(0, 501);

INSTANTIATE_TEST_SUITE_P(
    Cases, CutOutputTest,
    testing::Values(
        OutputCase{"AFifoIsRefused",
                   [](const fs::path& dir) {
                       ::mkfifo((dir / "pipe").c_str(), 0644);
                       return std::pair{dir / "song.mp3", dir / "pipe"};
                   },
                   1, "Not a regular file",
                   [](const fs::path& dir) { EXPECT_TRUE(fs::is_fifo(dir / "pipe")); }},
        OutputCase{"ASocketIsRefused",
                   [](const fs::path& dir) {
                       const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
                       sockaddr_un address{};
                       address.sun_family = AF_UNIX;
                       std::snprintf(address.sun_path, sizeof address.sun_path, "%s", (dir / "sock").c_str());
                       EXPECT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
                       ::close(fd);
                       return std::pair{dir / "song.mp3", dir / "sock"};
                   },
                   1, "Not a regular file",
                   [](const fs::path& dir) { EXPECT_TRUE(fs::is_socket(dir / "sock")); }},
        OutputCase{"ALinkToADeviceIsRefused",
                   [](const fs::path& dir) {
                       fs::create_symlink("/dev/null", dir / "null.mp3");
                       return std::pair{dir / "song.mp3", dir / "null.mp3"};
                   },
                   1, "Not a regular file",
                   [](const fs::path& dir) {
                       EXPECT_TRUE(fs::is_symlink(dir / "null.mp3"));
                       EXPECT_TRUE(fs::is_character_file("/dev/null"));
                   }},
        OutputCase{"TheSourceByAnotherName",
                   [](const fs::path& dir) {
                       return std::pair{dir / "song.mp3", dir / "." / "song.mp3"};
                   },
                   1, "SOURCE and OUTPUT are the same file", [](const fs::path&) {}},
        OutputCase{"AHardLinkToTheSource",
                   [](const fs::path& dir) {
                       fs::create_hard_link(dir / "song.mp3", dir / "hard.mp3");
                       return std::pair{dir / "song.mp3", dir / "hard.mp3"};
                   },
                   1, "SOURCE and OUTPUT are the same file",
                   [](const fs::path& dir) { EXPECT_EQ(fs::hard_link_count(dir / "song.mp3"), 2u); }},
        OutputCase{"ASymbolicLinkToTheSource",
                   [](const fs::path& dir) {
                       fs::create_symlink("song.mp3", dir / "link.mp3");
                       return std::pair{dir / "song.mp3", dir / "link.mp3"};
                   },
                   1, "SOURCE and OUTPUT are the same file",
                   [](const fs::path& dir) { EXPECT_TRUE(fs::is_symlink(dir / "link.mp3")); }},
        OutputCase{
            "AWriteProtectedOutputIsRefused",
            [](const fs::path& dir) {
                test::WritePatternFile(dir / "locked.mp3", 7);
                fs::permissions(dir / "locked.mp3", fs::perms(0444));
                return std::pair{dir / "song.mp3", dir / "locked.mp3"};
            },
            1, "Permission denied",
            [](const fs::path& dir) { EXPECT_EQ(ReadWholeFile(dir / "locked.mp3"), PatternBytes(0, 7)); }},
        OutputCase{"AnOutputKeepsItsPermissionBits",
                   [](const fs::path& dir) {
                       test::WritePatternFile(dir / "mine.mp3", 7);
                       fs::permissions(dir / "mine.mp3", fs::perms(0600));
                       return std::pair{dir / "song.mp3", dir / "mine.mp3"};
                   },
                   0, "",
                   [](const fs::path& dir) {
                       EXPECT_EQ(ReadWholeFile(dir / "mine.mp3"), kFirstHalf);
                       EXPECT_EQ(Mode(dir / "mine.mp3") & 07777, 0600u);
                   }},
        OutputCase{"AnOutputOf255Bytes",
                   [](const fs::path& dir) {
                       return std::pair{dir / "song.mp3", dir / (std::string(83 * 3, 'x') + "12.mp3")};
                   },
                   0, "",
                   [](const fs::path& dir) {
                       EXPECT_EQ(ReadWholeFile(dir / (std::string(83 * 3, 'x') + "12.mp3")), kFirstHalf);
                   }},
        OutputCase{
            "ASourceThatEndsEarly",
            [](const fs::path& dir) {
                return std::pair{FileThatEndsEarly(), dir / "cut.mp3"};
            },
            1, "changed while it was cut",
            [](const fs::path& dir) { EXPECT_FALSE(fs::exists(fs::symlink_status(dir / "cut.mp3"))); }}),
    [](const testing::TestParamInfo<OutputCase>& info) { return std::string(info.param.name); });

// Whether the process has the output's temporary file open: the unnamed one in `folder` ("#123 (deleted)")
// or a hidden one.
bool WritesIn(pid_t pid, const fs::path& folder) {
    std::error_code error;
    const fs::path canonical = fs::canonical(folder, error);
    for (const auto& fd : fs::directory_iterator("/proc/" + std::to_string(pid) + "/fd", error)) {
        const fs::path open = fs::read_symlink(fd.path(), error);
        if (!error && open.parent_path() == canonical &&
            open.filename().string().find("song") == std::string::npos) {
            return true;
        }
    }
    return false;
}

// A signal in the middle of a large cut leaves nothing but the source: no output, no partial file.
TEST(CutCommandSignal, AnInterruptedCutLeavesNoFile) {
    for (const int signal : {SIGINT, SIGTERM, SIGKILL}) {
        test::TempDir dir;
        const fs::path source = dir.path() / "song.mp3";
        { std::ofstream(source) << "ID3"; }
        fs::resize_file(source, std::uintmax_t{1} << 30); // 1 GiB, mostly a hole
        test::TempDir errors;
        CutProcess cut({"--duration", "100", source.string(), "0", "100", (dir.path() / "cut.mp3").string()},
                       errors.path() / "err");
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!WritesIn(cut.pid(), dir.path()) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        ::kill(cut.pid(), signal);
        EXPECT_EQ(cut.Wait(), 128 + signal) << "the cut ended before the signal: make it larger";
        EXPECT_EQ(test::FolderNames(dir.path()), std::vector<std::string>{"song.mp3"}) << signal;
    }
}

} // namespace
} // namespace trimvox
