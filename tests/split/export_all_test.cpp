// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/export_all.h"

#include "support/gapless_decode.h"
#include "support/mp3_sources.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/mpegfile.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace trimvox {
namespace {

namespace fs = std::filesystem;

constexpr long kRate = 44100;

struct ReadTags {
    std::string title, track, artist, album, id3v1Title;
    unsigned id3v1Track = 0;
    std::size_t pictures = 0;
    bool id3v1 = false;
};

ReadTags TagsOf(const fs::path& file) {
    TagLib::MPEG::File mp3(file.c_str(), false);
    ReadTags tags;
    const auto text = [&mp3](const char* id) {
        const TagLib::ID3v2::FrameList& frames = mp3.ID3v2Tag(true)->frameList(id);
        return frames.isEmpty() ? std::string() : frames.front()->toString().to8Bit(true);
    };
    tags.title = text("TIT2");
    tags.track = text("TRCK");
    tags.artist = text("TPE1");
    tags.album = text("TALB");
    tags.pictures = mp3.ID3v2Tag(true)->frameList("APIC").size();
    tags.id3v1 = mp3.hasID3v1Tag();
    if (tags.id3v1) {
        tags.id3v1Title = mp3.ID3v1Tag()->title().to8Bit(true);
        tags.id3v1Track = mp3.ID3v1Tag()->track();
    }
    return tags;
}

// A source of 6 s tagged as a music library tags it (title, artist, album, a cover picture, ID3v1).
class ExportAllTest : public testing::Test {
protected:
    void SetUp() override {
        source = dir.path() / "album.mp3";
        test::MakeTaggedMp3(source, test::TaggedSourceKinds()[0], 6.0);
        total = static_cast<std::int64_t>(test::DecodeGapless(source).samples.size());
        out = dir.path() / "out";
        fs::create_directory(out);
    }

    // Three pieces that tile the source: titled, with a performer on the second.
    SegmentList ThreePieces() const {
        SegmentList list(kRate, total);
        list.add({0, 88'200, "Intro", ""});
        list.add({88'200, 176'401, "A/B: \"Mix\"", "Guest"});
        list.add({176'401, total, "终曲", ""});
        return list;
    }

    test::TempDir dir;
    fs::path source, out;
    std::int64_t total = 0;
};

TEST_F(ExportAllTest, WritesEveryPieceNamedTaggedAndExact) {
    ExportRequest request{source, ThreePieces(), out, "", false, "Live Album"};
    std::vector<std::size_t> seen;
    const ExportOutcome outcome = ExportAll(request, [&seen](const ExportProgress& progress) {
        EXPECT_EQ(progress.total, 3u);
        seen.push_back(progress.piece);
        return true;
    });
    ASSERT_TRUE(outcome.ok()) << outcome.detail;
    EXPECT_EQ(seen, (std::vector<std::size_t>{0, 1, 2}));
    const std::vector<std::string> names{"01 Intro.mp3", "02 A_B_ _Mix_.mp3", "03 终曲.mp3"};
    EXPECT_EQ(test::FolderNames(out), (std::vector<std::string>{names[0], names[1], names[2]}));
    ASSERT_EQ(outcome.written.size(), 3u);

    struct Expected {
        const char* title;
        const char* track;
        const char* artist;
        const char* id3v1Title; // what ID3v1's Latin-1 can hold
    };
    const Expected expected[] = {{"Intro", "1/3", "Artist", "Intro"},
                                 {"A/B: \"Mix\"", "2/3", "Guest", "A/B: \"Mix\""},
                                 {"终曲", "3/3", "Artist", ""}};
    const SegmentList list = ThreePieces();
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(names[i]);
        EXPECT_EQ(outcome.written[i], out / names[i]);
        const ReadTags tags = TagsOf(out / names[i]);
        EXPECT_EQ(tags.title, expected[i].title);
        EXPECT_EQ(tags.track, expected[i].track);
        EXPECT_EQ(tags.artist, expected[i].artist);
        EXPECT_EQ(tags.album, "Live Album");
        EXPECT_EQ(tags.pictures, 1u); // the source's cover stays
        ASSERT_TRUE(tags.id3v1);
        EXPECT_EQ(tags.id3v1Title, expected[i].id3v1Title);
        EXPECT_EQ(tags.id3v1Track, i + 1);
        // Still exact to the sample after tagging.
        EXPECT_EQ(static_cast<std::int64_t>(test::DecodeGapless(out / names[i]).samples.size()),
                  list[i].length());
    }
}

// Whatever stops an export, nothing half-written stays: the folder holds the pieces reported written (and
// what was there before), no temporary file.
TEST_F(ExportAllTest, StopsWithoutLeavingAPartialFile) {
    struct Case {
        const char* name;
        std::optional<std::string> existing; // a file there before, with "keep" in it
        bool replace = false;
        std::optional<std::size_t> cancelAt;
        bool pastTheEnd = false; // the last piece lies beyond the source's audio
        std::string nameTemplate;
        bool noFolder = false;
        ExportError error;
        std::size_t written;
        std::string detail; // a part of the message
    };
    const Case cases[] = {
        {"an existing file refuses before writing",
         "02 A_B_ _Mix_.mp3",
         false,
         {},
         false,
         "",
         false,
         ExportError::TargetExists,
         0,
         "02 A_B_ _Mix_.mp3' exists"},
        {"an existing file is replaced when asked",
         "03 终曲.mp3",
         true,
         {},
         false,
         "",
         false,
         ExportError::None,
         3,
         ""},
        {"cancelled at the second piece",
         {},
         false,
         1,
         false,
         "",
         false,
         ExportError::Cancelled,
         1,
         "piece 2 of 3"},
        {"a cut fails at the third piece",
         {},
         false,
         {},
         true,
         "",
         false,
         ExportError::CutFailed,
         2,
         "piece 3"},
        {"a bad template",
         {},
         false,
         {},
         false,
         "{nn} {album}",
         false,
         ExportError::BadTemplate,
         0,
         "{album}"},
        {"no folder", {}, false, {}, false, "", true, ExportError::FolderUnusable, 0, "not a folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(out);
        if (!c.noFolder) {
            fs::create_directory(out);
        }
        if (c.existing) {
            std::ofstream(out / *c.existing) << "keep";
        }
        SegmentList list = ThreePieces();
        if (c.pastTheEnd) {
            SegmentList longer(kRate, total + 10 * kRate);
            longer.add(list[0]);
            longer.add(list[1]);
            longer.add({total + kRate, total + 2 * kRate, "Ghost", ""});
            list = longer;
        }
        const ExportRequest request{source, list, out, c.nameTemplate, c.replace, ""};
        const ExportOutcome outcome = ExportAll(request, [&c](const ExportProgress& progress) {
            return !c.cancelAt || progress.piece != *c.cancelAt;
        });
        EXPECT_EQ(outcome.error, c.error) << outcome.detail;
        EXPECT_NE(outcome.detail.find(c.detail), std::string::npos) << outcome.detail;
        ASSERT_EQ(outcome.written.size(), c.written);
        if (c.noFolder) {
            EXPECT_FALSE(fs::exists(out));
            continue;
        }
        std::vector<std::string> names;
        for (const fs::path& written : outcome.written) {
            names.push_back(written.filename().string());
        }
        if (c.existing && !c.replace) {
            names.push_back(*c.existing);
            std::ifstream in(out / *c.existing);
            EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(test::FolderNames(out), names); // hidden files too: no temporary file is left
        if (c.existing && c.replace) {
            EXPECT_EQ(TagsOf(out / *c.existing).track, "3/3");
        }
    }
}

} // namespace
} // namespace trimvox
