// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real `trimvox-cut split`, as a script would.
#include "split/audio_shape.h"
#include "support/gapless_decode.h"
#include "support/mp3_sources.h"
#include "support/shell_command.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace trimvox {
namespace {

namespace fs = std::filesystem;
using test::RunResult;
using test::ShellQuote;
using test::SilenceOf;
using test::Stretch;
using test::ToneOf;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// The pieces in a folder in name order, decoded.
std::vector<std::vector<short>> DecodedPieces(const fs::path& folder) {
    std::vector<std::vector<short>> pieces;
    for (const std::string& name : test::FolderNames(folder)) {
        pieces.push_back(test::DecodeGapless(folder / name).samples);
    }
    return pieces;
}

// Samples that differ by more than the decoder's rounding: a piece starts its decoder afresh on the frames
// before it, and libmpg123's synthesis may then round a few samples one step the other way.
long Mismatches(const std::vector<short>& a, const std::vector<short>& b) {
    long count = 0;
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        count += std::abs(a[i] - b[i]) > 2 ? 1 : 0;
    }
    return count;
}

std::string Id3Text(const fs::path& file, const char* id) {
    TagLib::MPEG::File mp3(file.c_str(), false);
    const TagLib::ID3v2::FrameList& frames = mp3.ID3v2Tag(true)->frameList(id);
    return frames.isEmpty() ? std::string() : frames.front()->toString().to8Bit(true);
}

// Five tones of different lengths and pitches, 2 s of silence between them: an album made by us.
const std::vector<Stretch> kAlbum{ToneOf(3.5, 330), SilenceOf(2),     ToneOf(4.5, 440),
                                  SilenceOf(2),     ToneOf(3.2, 550), SilenceOf(2),
                                  ToneOf(5.0, 660), SilenceOf(2),     ToneOf(4.0, 770)};

class SplitCommandTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        shared = new test::TempDir;
        test::MakeShapedMp3(shared->path() / "album.mp3", kAlbum);
        sourceSamples = new std::vector<short>(test::DecodeGapless(shared->path() / "album.mp3").samples);
    }
    static void TearDownTestSuite() {
        delete sourceSamples;
        delete shared;
    }

    RunResult Split(std::vector<std::string> args) const {
        std::string command = ShellQuote(TRIMVOX_CUT_PROGRAM) + " split";
        for (std::string& arg : args) {
            arg = arg == "SRC" ? Source().string() : arg == "OUT" ? Out().string() : arg;
            command += " " + ShellQuote(arg);
        }
        return test::RunCaptured(command, dir.path());
    }

    static fs::path Source() { return shared->path() / "album.mp3"; }
    fs::path Out() const { return dir.path() / "out"; }
    bool OutEmpty() const { return !fs::exists(Out()) || fs::is_empty(Out()); }

    static inline test::TempDir* shared = nullptr;
    static inline std::vector<short>* sourceSamples = nullptr;
    test::TempDir dir;
};

// Arguments and what comes of them. Where pieces are written, played one after the other they give back
// the source: every sample, each as the source's within the decoder's rounding; where the split is refused,
// OUTDIR holds nothing.
TEST_F(SplitCommandTest, ArgumentsAndOutcomes) {
    struct Row {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::size_t pieces;  // files written
        std::string message; // a part of what is printed (stderr, or stdout when it succeeds)
    };
    const Row rows[] = {
        {"--at, seconds and mm:ss.fff", {"--at", "1.5,0:07.250, 20", "SRC", "OUT"}, 0, 4, "album 04.mp3"},
        {"--at, unordered and doubled", {"--at=20,1.5,1.5", "SRC", "OUT"}, 0, 3, ""},
        {"--parts", {"--parts", "4", "SRC", "OUT"}, 0, 4, ""},
        {"--every, 28.2 s in 5 s", {"--every", "0:05", "SRC", "OUT"}, 0, 6, ""},
        {"--every=7.5", {"--every=7.5", "SRC", "OUT"}, 0, 4, ""},
        {"--name",
         {"--parts", "2", "--name", "part {n} of {stem}", "SRC", "OUT"},
         0,
         2,
         "part 2 of album.mp3"},
        {"--dry-run prints the pieces",
         {"--parts", "2", "--dry-run", "SRC", "OUT"},
         0,
         0,
         "1\t0:00:00.000\t0:00:14.100\t\n2\t0:00:14.100\t0:00:28.200\t\n"},
        {"no way to split", {"SRC", "OUT"}, 2, 0, "choose how to split"},
        {"two ways to split",
         {"--parts", "2", "--silence", "SRC", "OUT"},
         2,
         0,
         "not both --parts and --silence"},
        {"a silence option without --silence",
         {"--at", "3", "--threshold", "-40", "SRC", "OUT"},
         2,
         0,
         "go with --silence only"},
        {"a threshold that is no level", {"--silence", "--threshold", "loud", "SRC", "OUT"}, 2, 0, "'loud'"},
        {"not a time", {"--at", "3,1:75", "SRC", "OUT"}, 2, 0, "not a time: '1:75'"},
        {"a time past the end", {"--at", "10,0:30", "SRC", "OUT"}, 1, 0, "0:30 lies at or past the end"},
        {"no pieces", {"--parts", "0", "SRC", "OUT"}, 2, 0, "--parts needs a whole number"},
        {"a bad name template", {"--parts", "2", "--name", "{nn} {album}", "SRC", "OUT"}, 2, 0, "{album}"},
        {"no OUTDIR", {"--parts", "2", "SRC"}, 2, 0, "expected SOURCE OUTDIR, got 1 argument"},
        {"an unknown option", {"--parts", "2", "--fast", "SRC", "OUT"}, 2, 0, "unknown option '--fast'"},
        {"a source that is no MP3", {"--parts", "2", "NOTMP3", "OUT"}, 1, 0, "cannot decode"},
        {"a missing label file", {"--labels", "NOFILE", "SRC", "OUT"}, 1, 0, "cannot read 'NOFILE'"},
    };
    WriteText(dir.path() / "NOTMP3", std::string(5000, 'x'));
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        fs::remove_all(Out());
        std::vector<std::string> args = row.args;
        for (std::string& arg : args) {
            arg = arg == "NOTMP3" ? (dir.path() / arg).string() : arg;
        }
        const RunResult run = Split(args);
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_NE((row.status == 0 ? run.out : run.err).find(row.message), std::string::npos)
            << run.out << run.err;
        if (row.status != 0 || row.pieces == 0) {
            EXPECT_TRUE(OutEmpty());
            continue;
        }
        EXPECT_EQ(run.err, "");
        const std::vector<std::vector<short>> pieces = DecodedPieces(Out());
        ASSERT_EQ(pieces.size(), row.pieces);
        std::vector<short> joined;
        for (const std::vector<short>& piece : pieces) {
            joined.insert(joined.end(), piece.begin(), piece.end());
        }
        ASSERT_EQ(joined.size(), sourceSamples->size());
        EXPECT_EQ(Mismatches(joined, *sourceSamples), 0);
    }
}

// Each boundary within 100 ms of the middle of its silence: every piece holds exactly one tone.
TEST_F(SplitCommandTest, SilenceSplitsTheAlbumIntoItsTones) {
    const RunResult run =
        Split({"--silence", "--labels-out", (dir.path() / "found.txt").string(), "SRC", "OUT"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::vector<short>> pieces = DecodedPieces(Out());
    ASSERT_EQ(pieces.size(), 5u);
    const std::vector<std::int64_t> starts = test::StretchStarts(kAlbum);
    std::int64_t boundary = 0;
    for (std::size_t k = 0; k + 1 < pieces.size(); ++k) {
        boundary += static_cast<std::int64_t>(pieces[k].size());
        const std::int64_t middle = (starts[2 * k + 1] + starts[2 * k + 2]) / 2;
        EXPECT_NEAR(static_cast<double>(boundary), static_cast<double>(middle), 4410.0)
            << "boundary " << k + 1;
    }
    EXPECT_EQ(boundary + static_cast<std::int64_t>(pieces.back().size()),
              static_cast<std::int64_t>(sourceSamples->size()));
    // Trimmed, the pieces hold the tones without the silence, within 100 ms at each edge.
    fs::remove_all(Out());
    ASSERT_EQ(Split({"--silence", "--trim-silence", "--min-silence", "1.5", "SRC", "OUT"}).status, 0);
    const std::vector<std::vector<short>> trimmed = DecodedPieces(Out());
    ASSERT_EQ(trimmed.size(), 5u);
    for (std::size_t k = 0; k < trimmed.size(); ++k) {
        EXPECT_NEAR(static_cast<double>(trimmed[k].size()),
                    static_cast<double>(starts[2 * k + 1] - starts[2 * k]), 4410.0)
            << "tone " << k + 1;
    }
}

// A cue sheet of three titled tracks: three files named by the template with their own title, track
// number and performer and the source's other tags; the label file written of them reads back to the same
// pieces; a broken line is refused by its number with OUTDIR left empty.
TEST_F(SplitCommandTest, CueSheetInLabelsOutAndBack) {
    const fs::path source = dir.path() / "rip.mp3";
    test::MakeTaggedMp3(source, test::TaggedSourceKinds()[0], 9.0);
    const std::string cue = "REM GENRE Test\n"
                            "PERFORMER \"The Band\"\n"
                            "TITLE \"Live Tonight\"\n"
                            "FILE \"rip.mp3\" MP3\n"
                            "  TRACK 01 AUDIO\n"
                            "    TITLE \"Opening\"\n"
                            "    PERFORMER \"Ann\"\n"
                            "    INDEX 01 00:00:00\n"
                            "  TRACK 02 AUDIO\n"
                            "    TITLE \"第二首\"\n"
                            "    INDEX 01 00:03:10\n"
                            "  TRACK 03 AUDIO\n"
                            "    TITLE \"Encore\"\n"
                            "    PERFORMER \"Bob\"\n"
                            "    INDEX 01 00:06:37\n";
    WriteText(dir.path() / "rip.cue", cue);
    const fs::path labels = dir.path() / "rip.txt";
    RunResult run = Split({"--cue", (dir.path() / "rip.cue").string(), "--labels-out", labels.string(),
                           source.string(), "OUT"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::vector<std::string> names{"01 Opening.mp3", "02 第二首.mp3", "03 Encore.mp3"};
    ASSERT_EQ(test::FolderNames(Out()), names);
    const char* performers[] = {"Ann", "The Band", "Bob"};
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const fs::path piece = Out() / names[i];
        EXPECT_EQ(Id3Text(piece, "TIT2"), names[i].substr(3, names[i].size() - 7));
        EXPECT_EQ(Id3Text(piece, "TRCK"), std::to_string(i + 1) + "/3");
        EXPECT_EQ(Id3Text(piece, "TPE1"), performers[i]);
        EXPECT_EQ(Id3Text(piece, "TALB"), "Live Tonight");
        EXPECT_FALSE(Id3Text(piece, "APIC").empty()); // the source's cover stays
    }

    const fs::path again = dir.path() / "again";
    run = Split({"--labels", labels.string(), source.string(), again.string()});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(test::FolderNames(again), names);
    EXPECT_TRUE(DecodedPieces(again) == DecodedPieces(Out()));

    const fs::path broken = dir.path() / "broken.cue", empty = dir.path() / "empty";
    std::string bad = cue;
    bad.replace(bad.find("00:03:10"), 8, "00:3x:10");
    WriteText(broken, bad);
    fs::create_directory(empty);
    run = Split({"--cue", broken.string(), source.string(), empty.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("broken.cue: line 11"), std::string::npos) << run.err;
    EXPECT_TRUE(fs::is_empty(empty));
}

// Files in OUTDIR are kept unless --force: the split stops before writing, naming the first.
TEST_F(SplitCommandTest, ExistingFilesAreKeptWithoutForce) {
    fs::create_directory(Out());
    WriteText(Out() / "album 02.mp3", "keep");
    RunResult run = Split({"--parts", "3", "SRC", "OUT"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("album 02.mp3' exists; nothing was written"), std::string::npos) << run.err;
    EXPECT_EQ(test::FolderNames(Out()), std::vector<std::string>{"album 02.mp3"});
    EXPECT_EQ(ReadText(Out() / "album 02.mp3"), "keep");

    run = Split({"--parts", "3", "--force", "SRC", "OUT"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(DecodedPieces(Out()).size(), 3u);
    EXPECT_NE(ReadText(Out() / "album 02.mp3"), "keep");
}

// The source's length comes from its LAME tag where it has one, else from decoding it whole: either way
// the pieces hold every sample of every kind of source, no more.
TEST_F(SplitCommandTest, EveryKindOfSourceIsSplitWhole) {
    std::vector<test::Mp3SourceKind> kinds = test::TaggedSourceKinds();
    kinds.push_back({"no Info header", 44100, 2, "--cbr -b 128 -t", false});
    kinds.push_back({"no Info header, MPEG-2 VBR mono", 22050, 1, "-V4 -t -m m", false});
    for (const test::Mp3SourceKind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        const fs::path source = dir.path() / "source.mp3";
        test::MakeTaggedMp3(source, kind, 5.0);
        fs::remove_all(Out());
        const RunResult run = Split({"--parts", "3", source.string(), "OUT"});
        ASSERT_EQ(run.status, 0) << run.err;
        std::size_t total = 0;
        for (const std::vector<short>& piece : DecodedPieces(Out())) {
            total += piece.size();
        }
        EXPECT_EQ(total, test::DecodeGapless(source).samples.size());
    }
}

// "split START END OUTPUT" is still the cut of a source named "split", as before there was a split form.
TEST_F(SplitCommandTest, ASourceNamedSplitIsStillCut) {
    fs::copy_file(Source(), dir.path() / "split");
    const std::string command = "cd " + ShellQuote(dir.path().string()) + " && " +
                                ShellQuote(TRIMVOX_CUT_PROGRAM) + " split 0 2 cut.mp3 >/dev/null 2>&1";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_GT(fs::file_size(dir.path() / "cut.mp3"), 0u);
    EXPECT_FALSE(fs::exists(Out()));
}

} // namespace
} // namespace trimvox
