// SPDX-License-Identifier: GPL-3.0-or-later
#include "cutting/cut_preview.h"

#include "platform/fs/data_folder.h"
#include "support/pattern_file.h"
#include "support/temp_data_home.h"

#include <gtest/gtest.h>

#include <limits>

namespace trimvox {
namespace {

namespace fs = std::filesystem;
using test::PatternBytes;

class CutPreviewTest : public testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(home.dataFolder());
        test::WritePatternFile(source, 4'000'000);
    }

    // The names in the data folder: only the preview, never a temporary file.
    std::vector<std::string> DataFolderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(home.dataFolder())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    test::TempDataHome home;
    test::TempDir music;
    fs::path source = music.path() / "歌曲 1.mp3";
    fs::path preview = home.dataFolder() / "tcut.mp3";
};

TEST_F(CutPreviewTest, WritesAndReplacesThePreviewFile) {
    ASSERT_EQ(DataFile(kPreviewFileName), preview);
    ASSERT_TRUE(CutPreview({source.string(), 240, 0, 240}).ok());
    EXPECT_EQ(ReadWholeFile(preview), ReadWholeFile(source));

    const CutResult result = CutPreview({source.string(), 240, 10.5, 20.25});
    ASSERT_TRUE(result.ok()) << result.detail;
    EXPECT_EQ(ReadWholeFile(preview), PatternBytes(174'999, 162'501));
    EXPECT_EQ(DataFolderNames(), std::vector<std::string>{"tcut.mp3"});
}

// A cut that fails leaves no preview at all, so the old one is never played as if it were the new cut.
TEST_F(CutPreviewTest, FailedCutLeavesNoPreview) {
    struct Case {
        const char* name;
        std::string sourceUrl;
        double duration, start, end;
        CutError expected;
    };
    const Case cases[] = {
        {"unknown duration", source.string(), 0, 1, 2, CutError::BadDuration},
        {"duration not a number", source.string(), std::numeric_limits<double>::quiet_NaN(), 1, 2,
         CutError::BadDuration},
        {"no media loaded", "", 240, 1, 2, CutError::SourceUnreadable},
        {"source gone", (music.path() / "gone.mp3").string(), 240, 1, 2, CutError::SourceUnreadable},
        {"end before start", source.string(), 240, 20, 10, CutError::BadMarks},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(CutPreview({source.string(), 240, 1, 2}).ok());
        EXPECT_EQ(CutPreview({c.sourceUrl, c.duration, c.start, c.end}).error, c.expected);
        EXPECT_TRUE(DataFolderNames().empty());
    }
}

TEST_F(CutPreviewTest, MissingDataFolderFailsCleanly) {
    fs::remove_all(home.dataFolder());
    EXPECT_EQ(CutPreview({source.string(), 240, 1, 2}).error, CutError::OutputUnwritable);
    EXPECT_FALSE(fs::exists(home.dataFolder()));
}

} // namespace
} // namespace trimvox
