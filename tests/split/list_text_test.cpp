// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/chapter_list.h"
#include "split/cue_sheet.h"
#include "split/label_file.h"
#include "split/text_encoding.h"
#include "split/time_text.h"

#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

constexpr long kRate = 44100;
constexpr std::int64_t kTotal = 600LL * kRate; // a ten-minute source

std::int64_t At(double seconds) {
    return std::llround(seconds * kRate);
}

struct Piece {
    double start;
    double end;
    std::string title;
    std::string performer;
};

void ExpectPieces(const SegmentList& list, const std::vector<Piece>& pieces) {
    ASSERT_EQ(list.size(), pieces.size());
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        EXPECT_EQ(list[k].start, At(pieces[k].start)) << k;
        EXPECT_EQ(list[k].end, At(pieces[k].end)) << k;
        EXPECT_EQ(list[k].title, pieces[k].title) << k;
        EXPECT_EQ(list[k].performer, pieces[k].performer) << k;
    }
}

// ASCII text as UTF-16LE with its byte-order mark, as some Windows programs save a cue sheet.
std::string Utf16le(std::string_view ascii) {
    std::string bytes = "\xFF\xFE";
    for (const char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

// The rows of a bad-input table: the text, the line and the kind of fault.
struct BadRow {
    const char* name;
    std::string text;
    int line;
    ListTextProblem problem;
};

// Cue sheets: read (UTF-8 with or without a byte-order mark, GB18030, CRLF), written and read again to the
// same list; broken ones give their line.
TEST(ListTextTest, CueSheetsReadWriteAndRefuse) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<Piece> pieces;
        std::string album, performer, file;
    };
    const Case cases[] = {
        {"three tracks, album performer inherited",
         "REM GENRE Rock\nPERFORMER \"The Band\"\nTITLE \"Album\"\nFILE \"album.mp3\" MP3\n"
         "  TRACK 01 AUDIO\n    TITLE \"One\"\n    INDEX 01 00:00:00\n"
         "  TRACK 02 AUDIO\n    TITLE \"Two \"quoted\"\"\n    PERFORMER \"Guest\"\n    INDEX 00 01:58:00\n"
         "    INDEX 01 02:00:15\n"
         "  TRACK 03 AUDIO\n    TITLE \"Three\"\n    INDEX 01 05:30:74\n",
         {{0, 120.2, "One", "The Band"},
          {120.2, 330 + 74 / 75.0, "Two \"quoted\"", "Guest"},
          {330 + 74 / 75.0, 600, "Three", "The Band"}},
         "Album",
         "The Band",
         "album.mp3"},
        {"UTF-8 with a byte-order mark, CRLF, lower-case commands, unquoted values",
         "\xEF\xBB\xBF"
         "file song.mp3 MP3\r\ntrack 1 audio\r\ntitle \xE4\xB8\xAD\xE6\x96\x87\r\n"
         "index 01 01:00:00\r\n",
         {{60, 600, "\xE4\xB8\xAD\xE6\x96\x87", ""}},
         "",
         "",
         "song.mp3"},
        {"GB18030 (a Chinese Windows program's cue sheet)",
         "PERFORMER \"\xB8\xE8\xCA\xD6\"\nTITLE \"\xD7\xA8\xBC\xAD\"\nFILE \"a.mp3\" MP3\nTRACK 01 AUDIO\n"
         "TITLE \"\xB5\xDA\xD2\xBB\xCA\xD7\"\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nTITLE \"\xB2\xE2\xCA\xD4\"\n"
         "INDEX 01 03:00:00\n",
         {{0, 180, "第一首", "歌手"}, {180, 600, "测试", "歌手"}},
         "专辑",
         "歌手",
         "a.mp3"},
        {"UTF-16 with a byte-order mark",
         Utf16le("FILE \"b.mp3\" MP3\r\nTRACK 01 AUDIO\r\nINDEX 01 00:30:00\r\n"),
         {{30, 600, "", ""}},
         "",
         "",
         "b.mp3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportResult read = ReadCueSheet(c.text, kRate, kTotal);
        ASSERT_TRUE(read.ok()) << Describe(*read.error);
        ExpectPieces(read.imported.list, c.pieces);
        EXPECT_EQ(read.imported.album, c.album);
        EXPECT_EQ(read.imported.performer, c.performer);
        EXPECT_EQ(read.imported.audioFile, c.file);
        const std::string written =
            WriteCueSheet(read.imported.list, c.file, read.imported.album, read.imported.performer);
        EXPECT_TRUE(IsValidUtf8(written));
        const ImportResult again = ReadCueSheet(written, kRate, kTotal);
        ASSERT_TRUE(again.ok()) << Describe(*again.error) << "\n" << written;
        EXPECT_EQ(again.imported.list, read.imported.list) << written;
        EXPECT_EQ(again.imported.album, c.album);
    }

    const std::string head = "FILE \"a.mp3\" MP3\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n";
    const BadRow bad[] = {
        {"seconds past 59", head + "TRACK 02 AUDIO\nINDEX 01 01:60:00\n", 5, ListTextProblem::BadTime},
        {"frames past 74", head + "TRACK 02 AUDIO\nINDEX 01 01:00:75\n", 5, ListTextProblem::BadTime},
        {"letters in a time", head + "TRACK 02 AUDIO\nINDEX 01 1:xx:00\n", 5, ListTextProblem::BadTime},
        {"a data track", head + "TRACK 02 MODE1/2352\n", 4, ListTextProblem::BadLine},
        {"an unknown command", head + "BOGUS 1\n", 4, ListTextProblem::BadLine},
        {"an unclosed quote", head + "TITLE \"open\n", 4, ListTextProblem::BadLine},
        {"an index before any track", "FILE \"a.mp3\" MP3\nINDEX 01 00:00:00\n", 2, ListTextProblem::BadLine},
        {"a track without INDEX 01", head + "TRACK 02 AUDIO\nTITLE \"x\"\n", 4, ListTextProblem::BadLine},
        {"a second file", head + "FILE \"b.mp3\" MP3\n", 4, ListTextProblem::SeveralFiles},
        {"tracks out of order", head + "TRACK 02 AUDIO\nINDEX 01 00:00:00\n", 5, ListTextProblem::OutOfOrder},
        {"a track past the end", head + "TRACK 02 AUDIO\nINDEX 01 10:00:00\n", 5, ListTextProblem::BeyondEnd},
        {"no tracks", "FILE \"a.mp3\" MP3\n", 0, ListTextProblem::NoPieces},
        {"bytes of no encoding on line 3", "FILE \"a.mp3\" MP3\nTRACK 01 AUDIO\nTITLE \"\x80\xFF\"\n", 3,
         ListTextProblem::NotText},
    };
    for (const BadRow& row : bad) {
        SCOPED_TRACE(row.name);
        const ImportResult read = ReadCueSheet(row.text, kRate, kTotal);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error->line, row.line) << Describe(*read.error);
        EXPECT_EQ(read.error->problem, row.problem) << Describe(*read.error);
    }
}

// Audacity label files: read, written and read again to the same samples; broken ones give their line.
TEST(ListTextTest, LabelFilesReadWriteAndRefuse) {
    struct Case {
        const char* name;
        std::string text;
        std::vector<Piece> pieces;
    };
    const Case cases[] = {
        {"regions with gaps, a title with tabs kept apart",
         "1.500000\t10.250000\tFirst song\n20\t30.000023\t\xE7\xAC\xAC\xE4\xBA\x8C\n",
         {{1.5, 10.25, "First song", ""}, {20, 30.000023, "第二", ""}}},
        {"point labels run to the next label and to the end",
         "0\t0\tIntro\n100.5\t100.5\tMain\n",
         {{0, 100.5, "Intro", ""}, {100.5, 600, "Main", ""}}},
        {"a start and a label only (an old Audacity)", "12\tAlone\n", {{12, 600, "Alone", ""}}},
        {"decimal commas, frequency lines, blank lines, CRLF",
         "1,5\t2,5\tA\r\n\\\t100\t2000\r\n\r\n3\t4\tB\r\n",
         {{1.5, 2.5, "A", ""}, {3, 4, "B", ""}}},
        {"spaces instead of tabs", "1 2 Song with spaces\n", {{1, 2, "Song with spaces", ""}}},
        {"an end past the source's end is its end", "590\t700\tLast\n", {{590, 600, "Last", ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ImportResult read = ReadLabelFile(c.text, kRate, kTotal);
        ASSERT_TRUE(read.ok()) << Describe(*read.error);
        ExpectPieces(read.imported.list, c.pieces);
        const std::string written = WriteLabelFile(read.imported.list);
        const ImportResult again = ReadLabelFile(written, kRate, kTotal);
        ASSERT_TRUE(again.ok()) << Describe(*again.error) << "\n" << written;
        EXPECT_EQ(again.imported.list, read.imported.list) << written;
    }
    // Any sample, at 44.1 kHz and at rates that do not divide a second evenly, reads back to itself.
    for (const long rate : {44100L, 22050L, 32000L, 11025L}) {
        SegmentList list(rate, 1'000'000'000);
        list.add(Segment{1, 2, "", ""});
        list.add(Segment{123'456'789, 987'654'321, "x", ""});
        const ImportResult again = ReadLabelFile(WriteLabelFile(list), rate, 1'000'000'000);
        ASSERT_TRUE(again.ok());
        EXPECT_EQ(again.imported.list, list) << rate;
    }

    const BadRow bad[] = {
        {"not a number", "1\t2\tA\nabc\t3\tB\n", 2, ListTextProblem::BadTime},
        {"a broken end", "1\tx\tA\n", 1, ListTextProblem::BadTime},
        {"an end before its start", "5\t3\tA\n", 1, ListTextProblem::BadLine},
        {"overlapping regions", "1\t10\tA\n\n5\t20\tB\n", 3, ListTextProblem::OutOfOrder},
        {"labels out of order", "50\t60\tA\n10\t20\tB\n", 2, ListTextProblem::OutOfOrder},
        {"a start past the end", "1\t2\tA\n601\t602\tB\n", 2, ListTextProblem::BeyondEnd},
        {"a start past any sample count", "900000000000000\t900000000000001\tA\n", 1,
         ListTextProblem::BeyondEnd},
        {"a time with a colon", "1:00\t2:00\tA\n", 1, ListTextProblem::BadTime},
        {"nothing but blank lines", "\n\n", 0, ListTextProblem::NoPieces},
    };
    for (const BadRow& row : bad) {
        SCOPED_TRACE(row.name);
        const ImportResult read = ReadLabelFile(row.text, kRate, kTotal);
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error->line, row.line) << Describe(*read.error);
        EXPECT_EQ(read.error->problem, row.problem) << Describe(*read.error);
    }
}

// Chapter lists as video sites print them; broken ones give their line.
TEST(ListTextTest, ChapterListsReadAndRefuse) {
    const ImportResult read = ReadChapterList("0:00 Intro\n"
                                              "03:15 - Second part\n"
                                              "\n"
                                              "(5:00.5) Third\n"
                                              "[1:06:40]\n",
                                              kRate, 2 * 3600LL * kRate);
    ASSERT_TRUE(read.ok()) << Describe(*read.error);
    ExpectPieces(read.imported.list, {{0, 195, "Intro", ""},
                                      {195, 300.5, "Second part", ""},
                                      {300.5, 4000, "Third", ""},
                                      {4000, 7200, "", ""}});

    const BadRow bad[] = {
        {"the title first", "0:00 Intro\nOutro 3:00\n", 2, ListTextProblem::BadLine},
        {"seconds without a colon", "0:00 Intro\n75 Outro\n", 2, ListTextProblem::BadLine},
        {"61 seconds", "0:00 Intro\n1:61 Outro\n", 2, ListTextProblem::BadLine},
        {"a time not after the one before", "0:00 A\n2:00 B\n2:00 C\n", 3, ListTextProblem::OutOfOrder},
        {"past the end", "0:00 A\n10:00 B\n", 2, ListTextProblem::BeyondEnd},
        {"past any sample count", "080008080008000:00 A\n", 1, ListTextProblem::BeyondEnd},
        {"an unclosed bracket", "[0:00 A\n", 1, ListTextProblem::BadLine},
        {"empty", "", 0, ListTextProblem::NoPieces},
    };
    for (const BadRow& row : bad) {
        SCOPED_TRACE(row.name);
        const ImportResult result = ReadChapterList(row.text, kRate, kTotal);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error->line, row.line) << Describe(*result.error);
        EXPECT_EQ(result.error->problem, row.problem) << Describe(*result.error);
    }
}

// Times as people type them, and as the program writes them.
TEST(ListTextTest, TimesReadAndWrite) {
    struct Case {
        const char* text;
        std::optional<double> seconds;
    };
    const Case cases[] = {
        {"75", 75},      {"75.5", 75.5},  {" 12 ", 12},   {"1:15.5", 75.5}, {"01:02:03.250", 3723.25},
        {"1:2:3", 3723}, {"90:00", 5400}, {"0:00", 0},    {"1:60", {}},     {"1:02:60", {}},
        {"1:60:00", {}}, {"1:123", {}},   {"-1", {}},     {"", {}},         {"1e3", {}},
        {"1:", {}},      {":30", {}},     {"1.5:00", {}}, {"1,5", {}},      {"0:00:00:01", {}},
        {"12.", {}},     {".5", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<double> seconds = ParseTime(c.text);
        ASSERT_EQ(seconds.has_value(), c.seconds.has_value());
        if (seconds) {
            EXPECT_DOUBLE_EQ(*seconds, *c.seconds);
        }
    }
    EXPECT_EQ(FormatTime(0, kRate), "0:00:00.000");
    EXPECT_EQ(FormatTime(At(3723.25), kRate), "1:02:03.250");
    EXPECT_EQ(FormatTime(At(59.9996), kRate), "0:01:00.000");
    EXPECT_EQ(FormatSeconds(At(75.5), kRate), "75.500000");
    EXPECT_EQ(FormatSeconds(1, kRate), "0.000023");
}

} // namespace
} // namespace trimvox
