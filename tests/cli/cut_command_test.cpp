// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real trimvox-cut program, as a script would.
#include "mp3/media_info.h"

#include "support/gapless_decode.h"
#include "support/mp3_fixture.h"
#include "support/pattern_file.h"
#include "support/shell_command.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace trimvox {
namespace {

namespace fs = std::filesystem;
using test::PatternBytes;
using test::RunResult;
using test::ShellQuote;

class CutCommandTest : public testing::Test {
protected:
    RunResult Cut(const std::vector<std::string>& args) const {
        std::string command = ShellQuote(TRIMVOX_CUT_PROGRAM);
        for (const std::string& arg : args) {
            command += " " + ShellQuote(arg);
        }
        return test::RunCaptured(command, dir.path());
    }

    std::string Path(const char* name) const { return (dir.path() / name).string(); }

    test::TempDir dir;
};

TEST_F(CutCommandTest, CutsWithAGivenDuration) {
    test::WritePatternFile(Path("song.mp3"), 4'000'000);
    const RunResult run = Cut({"--duration", "240", Path("song.mp3"), "10.5", "20.25", Path("cut.mp3")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    EXPECT_EQ(ReadWholeFile(Path("cut.mp3")), PatternBytes(174'999, 162'501));
    // "--duration=N" and "--" before a name that starts with "-".
    fs::copy_file(Path("song.mp3"), Path("-song.mp3"));
    EXPECT_EQ(Cut({"--duration=240", "--", Path("-song.mp3"), "0", "240", Path("whole.mp3")}).status, 0);
    EXPECT_EQ(ReadWholeFile(Path("whole.mp3")), ReadWholeFile(Path("song.mp3")));
}

TEST_F(CutCommandTest, ReadsThePlayingTimeOfARealMp3) {
    test::MakeMp3(Path("tone.mp3"), {.seconds = 3.0, .title = "Tone"});
    const MediaInfo info = ReadMediaInfo(Path("tone.mp3"));
    ASSERT_TRUE(info.playable);
    const double length = info.durationSeconds;
    EXPECT_NEAR(length, 3.0, 0.1);
    // From 0 to the playing time: exactly the source, tags and all.
    const RunResult run = Cut({Path("tone.mp3"), "0", std::to_string(length), Path("copy.mp3")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadWholeFile(Path("copy.mp3")), ReadWholeFile(Path("tone.mp3")));
    // The first half holds a little under half the bytes.
    EXPECT_EQ(Cut({Path("tone.mp3"), "0", std::to_string(length / 2), Path("half.mp3")}).status, 0);
    EXPECT_NEAR(static_cast<double>(fs::file_size(Path("half.mp3"))), fs::file_size(Path("tone.mp3")) / 2.0,
                2);
}

TEST_F(CutCommandTest, HelpGoesToStandardOutput) {
    const RunResult run = Cut({"--help"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(
        run.out.rfind("usage: trimvox-cut [--precise] [--duration SECONDS] SOURCE START END OUTPUT\n", 0),
        0u);
    EXPECT_NE(run.out.find("Byte cut (the default)"), std::string::npos);
    EXPECT_NE(run.out.find("Precise cut (--precise)"), std::string::npos);
    EXPECT_EQ(run.err, "");
}

// --precise cuts whole frames with the source's tags and a header that gives the cut's length; a file
// without MPEG audio is refused in one line and nothing is written.
TEST_F(CutCommandTest, PreciseCutsWholeFrames) {
    test::MakeMp3(Path("tone.mp3"), {.seconds = 6.0, .title = "Tone"});
    const RunResult run = Cut({"--precise", Path("tone.mp3"), "1.5", "4", Path("cut.mp3")});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out + run.err, "");
    // What a gapless player plays (the frames less the delay and padding of the cut's LAME tag).
    EXPECT_EQ(test::DecodeGapless(Path("cut.mp3")).samples.size(), 2.5 * 44100);
    EXPECT_EQ(ReadWholeFile(Path("cut.mp3"))->at(0), 'I') << "the ID3v2 tag comes first";

    test::WritePatternFile(Path("song.mp3"), 100'000);
    const RunResult refused = Cut({"--precise", Path("song.mp3"), "1", "2", Path("out.mp3")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err,
              "trimvox-cut: no MPEG audio frames found in '" + Path("song.mp3") + "' (not an MP3 file?)\n");
    EXPECT_FALSE(fs::exists(Path("out.mp3")));
}

// Every failure: its status, one line on standard error that names the problem, no output file, and an
// output that was there before left as it was.
TEST_F(CutCommandTest, FailuresSayWhyInOneLine) {
    test::WritePatternFile(Path("song.mp3"), 1000);
    test::WritePatternFile(Path("notes.txt"), 1000);
    fs::create_directory(Path("folder"));
    struct Case {
        std::vector<std::string> args;
        int status;
        std::string message;
    };
    const std::string song = Path("song.mp3"), out = Path("out.mp3");
    const Case cases[] = {
        {{}, 2, "expected SOURCE START END OUTPUT, got 0 arguments"},
        {{song, "1", "2"}, 2, "got 3 arguments"},
        {{"--verbose", song, "1", "2", out}, 2, "unknown option '--verbose'"},
        {{song, "1s", "2", out}, 2, "START is not a number of seconds: '1s'"},
        {{song, "1", "nan", out}, 2, "END is not a number of seconds: 'nan'"},
        {{song, "-nan", "2", out}, 2, "START is not a number of seconds: '-nan'"},
        {{song, "inf", "2", out}, 2, "START is not a number of seconds: 'inf'"},
        {{song, "1", "-inf", out}, 2, "END is not a number of seconds: '-inf'"},
        {{song, "1", "-INFINITY", out}, 2, "END is not a number of seconds: '-INFINITY'"},
        {{song, "-1", "2", out}, 2, "START must not be negative"},
        {{song, "5", "2", out}, 2, "END lies before START"},
        {{"--duration", "0", song, "1", "2", out}, 2, "--duration must be a positive number of seconds"},
        {{song, "1", "2", out, "--duration"}, 2, "--duration needs a number of seconds"},
        {{Path("missing.mp3"), "1", "2", out}, 1, "cannot read '" + Path("missing.mp3") + "': No such file"},
        {{"--duration", "10", Path("folder"), "1", "2", out}, 1, "cannot read '" + Path("folder") + "'"},
        {{Path("notes.txt"), "1", "2", out},
         1,
         "cannot tell the playing time of '" + Path("notes.txt") + "'"},
        {{"--duration", "10", song, "10.5", "11", out}, 1, "START 10.5 lies past the end of '" + song + "'"},
        {{"--duration", "10", song, "1", "2", Path("no/out.mp3")},
         1,
         "cannot write '" + Path("no/out.mp3") + "'"},
        {{"--duration", "10", song, "1", "2", Path("folder")}, 1, "cannot write '" + Path("folder") + "'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const RunResult run = Cut(c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err.rfind("trimvox-cut: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_FALSE(fs::exists(out));
    }
    test::WritePatternFile(out, 50);
    EXPECT_EQ(Cut({Path("missing.mp3"), "1", "2", out}).status, 1);
    EXPECT_EQ(ReadWholeFile(out), PatternBytes(0, 50));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 4);
}

} // namespace
} // namespace trimvox
