#include "cutting/byte_range_copy.h"

#include "cutting/pattern_file.h"
#include "support/process_io.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <fcntl.h>
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

} // namespace
} // namespace trimvox
