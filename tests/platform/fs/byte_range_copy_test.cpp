// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fs/byte_range_copy.h"

#include "platform/fs/buffered_copy.h"

#include "support/pattern_file.h"
#include "support/process_io.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace trimvox {
namespace {

// The fastest copy goes through the buffer where the kernel's copy is the slower one: where the source's
// offset and the target's position lie at different places within a page (as for nearly every cut).
TEST(ByteRangeCopy, TheFastestCopyIsBufferedWhereThePagesDoNotLineUp) {
    test::TempDir dir;
    const auto source = dir.path() / "source.bin";
    constexpr std::int64_t kSize = 8 << 20, kCount = 4 << 20;
    test::WritePatternFile(source, kSize);
    const long page = ::sysconf(_SC_PAGESIZE);
    struct Row {
        std::int64_t offset;
        std::int64_t targetPosition;
        bool buffered;
    };
    for (const Row& row : {Row{(1 << 20) - 1, 0, true}, Row{12345, 0, true}, Row{page, 1, true},
                           Row{page + 1, 1, false}, Row{1 << 20, 0, false}}) {
        SCOPED_TRACE(std::to_string(row.offset) + " to " + std::to_string(row.targetPosition));
        const int in = ::open(source.c_str(), O_RDONLY | O_CLOEXEC);
        const auto target = dir.path() / "target.bin";
        const int out = ::open(target.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ASSERT_GE(in, 0);
        ASSERT_GE(out, 0);
        ASSERT_EQ(::lseek(out, row.targetPosition, SEEK_SET), row.targetPosition);
        const std::int64_t before = test::ProcessIoCount("syscr");
        const CopyOutcome outcome = CopyByteRange(in, row.offset, kCount, out);
        const std::int64_t calls = test::ProcessIoCount("syscr") - before;
        ::close(in);
        ::close(out);
        EXPECT_TRUE(outcome.ok());
        EXPECT_EQ(outcome.copied, kCount);
        Bytes copied = ReadWholeFile(target).value_or(Bytes{});
        copied.erase(copied.begin(), copied.begin() + row.targetPosition);
        EXPECT_EQ(copied, test::PatternBytes(row.offset, kCount));
        if (row.buffered) {
            EXPECT_GE(calls, kCount / kCopyBufferSize); // one read per buffer
        }
    }
}

// Through the buffers, a failed read or write stops the copy and says which side failed, and a source that
// ends early ends the copy without an error; alone (a short copy) or with the reading thread (a long one).
TEST(ByteRangeCopy, TheBufferedCopyStopsAtAFailureOrTheSourcesEnd) {
    test::TempDir dir;
    const auto source = dir.path() / "source.bin";
    constexpr std::int64_t kSize = 3 << 20, kOffset = (1 << 20) - 1;
    test::WritePatternFile(source, kSize);
    struct Row {
        const char* name;
        int sourceFlags;
        const char* target; // nullptr: a new file
        std::int64_t count;
        std::int64_t copied;
        int readError;
        int writeError;
    };
    const Row rows[] = {
        {"ShortCopyToAFullDevice", O_RDONLY, "/dev/full", 100000, 0, 0, ENOSPC},
        {"LongCopyToAFullDevice", O_RDONLY, "/dev/full", 8 << 20, 0, 0, ENOSPC},
        {"ShortCopyOfAnUnreadableSource", O_WRONLY, nullptr, 100000, 0, EBADF, 0},
        {"LongCopyOfAnUnreadableSource", O_WRONLY, nullptr, 8 << 20, 0, EBADF, 0},
        {"LongCopyOfASourceThatEndsEarly", O_RDONLY, nullptr, 8 << 20, kSize - kOffset, 0, 0},
        {"LongCopyToTheEnd", O_RDONLY, nullptr, kSize - kOffset, kSize - kOffset, 0, 0},
        {"TwoBuffersExactly", O_RDONLY, nullptr, 2 * kCopyBufferSize, 2 * kCopyBufferSize, 0, 0},
        {"TwoBuffersAndOneByte", O_RDONLY, nullptr, 2 * kCopyBufferSize + 1, 2 * kCopyBufferSize + 1, 0, 0},
        {"WholeBuffersOnly", O_RDONLY, nullptr, 7 * kCopyBufferSize, 7 * kCopyBufferSize, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int in = ::open(source.c_str(), row.sourceFlags | O_CLOEXEC);
        const auto target =
            row.target != nullptr ? std::filesystem::path(row.target) : dir.path() / "target.bin";
        const int out = ::open(target.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ASSERT_GE(in, 0);
        ASSERT_GE(out, 0);
        const CopyOutcome outcome = CopyByteRange(in, kOffset, row.count, out, CopyMethod::ReadWrite);
        ::close(in);
        ::close(out);
        EXPECT_EQ(outcome.copied, row.copied);
        EXPECT_EQ(outcome.readError, row.readError);
        EXPECT_EQ(outcome.writeError, row.writeError);
        if (row.target == nullptr && row.copied > 0) {
            EXPECT_EQ(ReadWholeFile(target).value_or(Bytes{}), test::PatternBytes(kOffset, row.copied));
        }
    }
}

// Whatever the source offset and target position, neither copy through the buffer stores just ahead of where
// it loads (modulo a page), and the buffer keeps the target's place within a cache line.
TEST(ByteRangeCopy, TheBufferKeepsBothCopiesAwayFromPageAliasing) {
    constexpr std::int64_t kPage = 4096, kLine = 64;
    const auto distance = [](std::int64_t from, std::int64_t to) {
        const std::int64_t ahead = ((to - from) % kPage + kPage) % kPage;
        return std::min(ahead, kPage - ahead);
    };
    for (const std::int64_t target :
         {std::int64_t{0}, std::int64_t{1}, std::int64_t{5000}, std::int64_t{1} << 40}) {
        for (std::int64_t lag = 0; lag < kPage; ++lag) {
            const std::int64_t source = target + lag + 3 * kPage;
            const std::int64_t start = CopyBufferStart(source, target, kPage);
            SCOPED_TRACE("source " + std::to_string(source) + ", target " + std::to_string(target));
            ASSERT_GE(start, 0);
            ASSERT_LT(start, kPage);
            ASSERT_EQ((start - target) % kLine, 0);
            ASSERT_GE(distance(source, start), kPage / 4 - kLine);
            ASSERT_GE(distance(start, target), kPage / 4 - kLine);
        }
    }
}

} // namespace
} // namespace trimvox
