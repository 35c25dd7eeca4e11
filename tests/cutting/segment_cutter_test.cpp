// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutting/segment_cutter.h"

#include "support/pattern_file.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;
using test::FolderNames;
using test::PatternBytes;

Bytes ReadRange(const fs::path& path, std::int64_t offset, std::int64_t count) {
    Bytes bytes(static_cast<std::size_t>(count));
    const int fd = ::open(path.c_str(), O_RDONLY);
    const ssize_t got = ::pread(fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
    ::close(fd);
    bytes.resize(static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
    return bytes;
}

} // namespace

std::ostream& operator<<(std::ostream& out, CopyMethod method) {
    return out << (method == CopyMethod::Fastest ? "Fastest" : "ReadWrite");
}

namespace {

class SegmentCutterTest : public testing::TestWithParam<CopyMethod> {
protected:
    CutRequest Request(double start, double end, double duration) const {
        CutRequest request;
        request.source = source;
        request.duration = duration;
        request.startPos = start;
        request.endPos = end;
        request.output = output;
        request.method = GetParam();
        return request;
    }

    test::TempDir dir;
    fs::path source = dir.path() / "song.mp3";
    fs::path output = dir.path() / "cut.mp3";
};

TEST_P(SegmentCutterTest, WorkedExampleByteForByte) {
    test::WritePatternFile(source, 4'000'000);
    const CutResult result = CutSegment(Request(10.5, 20.25, 240));
    ASSERT_TRUE(result.ok()) << result.detail;
    EXPECT_EQ(result.written, 162'501);
    EXPECT_EQ(ReadWholeFile(output), PatternBytes(174'999, 162'501));
    EXPECT_EQ(FolderNames(dir.path()), (std::vector<std::string>{"cut.mp3", "song.mp3"}));
}

TEST_P(SegmentCutterTest, SegmentStopsAtTheEndOfTheSource) {
    test::WritePatternFile(source, 4'000'000);
    // The whole duration gives exactly the source, with no zero byte after it.
    ASSERT_TRUE(CutSegment(Request(0, 240, 240)).ok());
    EXPECT_EQ(ReadWholeFile(output), ReadWholeFile(source));
    // An end mark past the duration stops at the end too.
    ASSERT_TRUE(CutSegment(Request(230, 300, 240)).ok());
    EXPECT_EQ(ReadWholeFile(output), PatternBytes(3'833'332, 166'668));
}

TEST_P(SegmentCutterTest, SmallCutsCopyTheMappedBytes) {
    test::WritePatternFile(source, 1000);
    struct Case {
        double start, end;
        std::int64_t offset, count;
    };
    // 10 s over 1000 bytes: s in [1, 2) starts at offset 0; e - s below 1 still gives one byte.
    for (const Case& c :
         {Case{0.015, 0.5, 0, 49}, Case{0.02, 0.5, 1, 49}, Case{5, 5.005, 499, 1}, Case{9.99, 10, 998, 2}}) {
        SCOPED_TRACE(c.start);
        // An existing, longer output is replaced by exactly the new bytes.
        test::WritePatternFile(output, 5000);
        ASSERT_TRUE(CutSegment(Request(c.start, c.end, 10)).ok());
        EXPECT_EQ(ReadWholeFile(output), PatternBytes(c.offset, c.count));
    }
}

TEST_P(SegmentCutterTest, OutputMayReplaceTheSource) {
    test::WritePatternFile(source, 1000);
    CutRequest request = Request(1, 2, 10);
    request.output = source;
    ASSERT_TRUE(CutSegment(request).ok());
    EXPECT_EQ(ReadWholeFile(source), PatternBytes(99, 101));
}

// Offsets past 2 GiB and 4 GiB in a sparse 8 GiB file: 8192 s over 2^33 bytes is 2^20 bytes a second,
// so the marks below map to exact byte positions.
TEST_P(SegmentCutterTest, SourcesBeyondFourGiB) {
    constexpr std::int64_t kLength = std::int64_t{1} << 33;
    {
        const int fd = ::open(source.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, kLength), 0);
        for (const std::int64_t at : {std::int64_t{1} << 31, std::int64_t{1} << 32, kLength}) {
            const Bytes marker = PatternBytes(at - 8192, 8192 * 2);
            const std::size_t size = at == kLength ? marker.size() / 2 : marker.size();
            ASSERT_EQ(::pwrite(fd, marker.data(), size, at - 8192), static_cast<ssize_t>(size));
        }
        ::close(fd);
    }
    ASSERT_EQ(fs::file_size(source), static_cast<std::uintmax_t>(kLength));
    constexpr double kStep = 1.0 / 1024; // 1024 bytes
    for (const double second : {2048.0, 4096.0, 8192.0}) {
        SCOPED_TRACE(second);
        const CutResult result = CutSegment(Request(second - kStep, second + kStep, 8192));
        ASSERT_TRUE(result.ok()) << result.detail;
        const std::int64_t offset = static_cast<std::int64_t>(second) * 1024 * 1024 - 1025;
        EXPECT_EQ(result.range, (CutRange{offset, 2049}));
        const std::int64_t count = std::min<std::int64_t>(2049, kLength - offset);
        EXPECT_EQ(ReadWholeFile(output), ReadRange(source, offset, count));
    }
}

// However long the segment, the copy goes through a small fixed buffer (or none at all).
TEST_P(SegmentCutterTest, MemoryStaysBoundedForLargeSegments) {
    constexpr std::int64_t kLength = std::int64_t{160} << 20;
    test::WritePatternFile(source, 0);
    fs::resize_file(source, kLength);
    ASSERT_TRUE(CutSegment(Request(0, 10, 10)).ok());
    EXPECT_EQ(fs::file_size(output), static_cast<std::uintmax_t>(kLength));
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 32 * 1024) << "peak resident memory in KiB";
}

INSTANTIATE_TEST_SUITE_P(Methods, SegmentCutterTest,
                         testing::Values(CopyMethod::Fastest, CopyMethod::ReadWrite),
                         testing::PrintToStringParamName());

enum class SourceKind { Pattern, Missing, Folder, Fifo, Empty };
enum class OutputKind { Plain, InMissingFolder, Folder };

struct FailureCase {
    const char* name;
    SourceKind source;
    double duration, start, end;
    OutputKind output;
    CutError expected;
};

std::ostream& operator<<(std::ostream& out, const FailureCase& c) {
    return out << c.name;
}

class CutFailureTest : public testing::TestWithParam<FailureCase> {};

// A failed cut writes nothing, leaves no temporary file, keeps or removes the old output as asked.
TEST_P(CutFailureTest, WritesNothingAndSaysWhy) {
    const FailureCase& c = GetParam();
    for (const OldOutput old : {OldOutput::Keep, OldOutput::Remove}) {
        test::TempDir dir;
        CutRequest request{dir.path() / "song.mp3", c.duration, c.start, c.end, dir.path() / "cut.mp3", old};
        switch (c.source) {
        case SourceKind::Pattern:
            test::WritePatternFile(request.source, 1000);
            break;
        case SourceKind::Missing:
            break;
        case SourceKind::Folder:
            fs::create_directory(request.source);
            break;
        case SourceKind::Fifo:
            ASSERT_EQ(::mkfifo(request.source.c_str(), 0600), 0);
            break;
        case SourceKind::Empty:
            test::WritePatternFile(request.source, 0);
            break;
        }
        if (c.output == OutputKind::InMissingFolder) {
            request.output = dir.path() / "missing" / "cut.mp3";
        } else if (c.output == OutputKind::Folder) {
            fs::create_directory(request.output);
        } else {
            test::WritePatternFile(request.output, 77);
        }
        const auto before = FolderNames(dir.path());

        const CutResult result = CutSegment(request);
        EXPECT_EQ(result.error, c.expected);
        EXPECT_EQ(result.written, 0);
        if (c.output == OutputKind::Plain && old == OldOutput::Keep) {
            EXPECT_EQ(ReadWholeFile(request.output), PatternBytes(0, 77));
        }
        auto expectedNames = before;
        if (c.output == OutputKind::Plain && old == OldOutput::Remove) {
            std::erase(expectedNames, "cut.mp3");
        }
        EXPECT_EQ(FolderNames(dir.path()), expectedNames);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CutFailureTest,
    testing::Values(
        FailureCase{"ZeroDuration", SourceKind::Pattern, 0, 1, 2, OutputKind::Plain, CutError::BadDuration},
        FailureCase{"EndBeforeStart", SourceKind::Pattern, 10, 5, 2, OutputKind::Plain, CutError::BadMarks},
        FailureCase{"MissingSource", SourceKind::Missing, 10, 1, 2, OutputKind::Plain,
                    CutError::SourceUnreadable},
        FailureCase{"FolderSource", SourceKind::Folder, 10, 1, 2, OutputKind::Plain,
                    CutError::SourceUnreadable},
        FailureCase{"FifoSource", SourceKind::Fifo, 10, 1, 2, OutputKind::Plain, CutError::SourceUnreadable},
        FailureCase{"EmptySource", SourceKind::Empty, 10, 0, 2, OutputKind::Plain, CutError::EmptySegment},
        FailureCase{"StartPastTheEnd", SourceKind::Pattern, 10, 10.02, 11, OutputKind::Plain,
                    CutError::EmptySegment},
        FailureCase{"OutputFolderMissing", SourceKind::Pattern, 10, 1, 2, OutputKind::InMissingFolder,
                    CutError::OutputUnwritable},
        FailureCase{"OutputIsAFolder", SourceKind::Pattern, 10, 1, 2, OutputKind::Folder,
                    CutError::OutputUnwritable}),
    [](const testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

} // namespace
} // namespace trimvox
