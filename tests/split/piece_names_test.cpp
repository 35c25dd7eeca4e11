// SPDX-License-Identifier: GPL-3.0-or-later
#include "split/piece_names.h"
#include "split/text_encoding.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

SegmentList Titled(const std::vector<std::string>& titles) {
    SegmentList list(10, static_cast<std::int64_t>(titles.size()) * 10);
    for (std::size_t k = 0; k < titles.size(); ++k) {
        list.add(
            Segment{static_cast<std::int64_t>(k) * 10, static_cast<std::int64_t>(k + 1) * 10, titles[k], ""});
    }
    return list;
}

// The names of the pieces: the template filled in, unsafe characters and names made safe, clashes told
// apart. An empty template stands for the default one.
TEST(PieceNamesTest, TemplatesGiveSafeDistinctNames) {
    struct Case {
        const char* name;
        std::vector<std::string> titles;
        std::string nameTemplate;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"default with titles", {"Intro", "Song"}, "", {"01 Intro.mp3", "02 Song.mp3"}},
        {"default when a title is missing", {"Intro", ""}, "", {"Live 01.mp3", "Live 02.mp3"}},
        {"every placeholder", {"A"}, "{stem}-{n}-{nn}-{title}", {"Live-1-01-A.mp3"}},
        {"characters Windows refuses",
         {"AC/DC: Back? \"In\" <Black>|*\\"},
         "{title}",
         {"AC_DC_ Back_ _In_ _Black____.mp3"}},
        {"control characters", {"a\tb\nc\x7F"}, "{title}", {"a_b_c_.mp3"}},
        {"bytes that are not UTF-8", {"caf\xE9"}, "{title}", {"caf_.mp3"}},
        {"Chinese stays", {"第一首"}, "{nn} {title}", {"01 第一首.mp3"}},
        {"spaces and trailing dots go", {"  Song. . "}, "{title}", {"Song.mp3"}},
        {"a leading dot would hide the file", {".hidden"}, "{title}", {"_hidden.mp3"}},
        {"dots only: named by the fallback", {"..", "."}, "{title}", {"Live 01.mp3", "Live 02.mp3"}},
        {"an empty title alone: the fallback", {""}, "{title}", {"Live 01.mp3"}},
        {"Windows device names",
         {"CON", "com1", "nul.txt", "LPT9 ", "console"},
         "{title}",
         {"_CON.mp3", "_com1.mp3", "_nul.txt.mp3", "_LPT9.mp3", "console.mp3"}},
        {"clashes without regard to case",
         {"Song", "song", "SONG"},
         "{title}",
         {"Song.mp3", "song (2).mp3", "SONG (3).mp3"}},
        {"a template without a number",
         {"A", "B", "C"},
         "{stem}",
         {"Live.mp3", "Live (2).mp3", "Live (3).mp3"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const SegmentList list = Titled(c.titles);
        const std::string nameTemplate = c.nameTemplate.empty() ? DefaultNameTemplate(list) : c.nameTemplate;
        EXPECT_FALSE(TemplateProblem(nameTemplate));
        EXPECT_EQ(PieceFileNames(list, nameTemplate, "Live"), c.names);
    }

    // Width of {nn} follows the count; 120 pieces sort by name.
    const std::vector<std::string> many = PieceFileNames(Titled(std::vector<std::string>(120)), "{nn}", "x");
    EXPECT_EQ(many.front(), "001.mp3");
    EXPECT_EQ(many.back(), "120.mp3");

    // A long title is cut at a character boundary, within the bound.
    std::string longTitle;
    for (int i = 0; i < 100; ++i) {
        longTitle += "长";
    }
    const std::string cut = PieceFileNames(Titled({longTitle}), "{title}", "x")[0];
    EXPECT_LE(cut.size(), kMaxNameBytes + 4);
    EXPECT_TRUE(IsValidUtf8(cut));
    EXPECT_EQ(cut, longTitle.substr(0, 198) + ".mp3"); // 66 whole characters of 3 bytes

    struct Problem {
        const char* nameTemplate;
        bool bad;
    };
    for (const Problem& p : {Problem{"{nn} {title}", false}, Problem{"plain", false}, Problem{"{foo}", true},
                             Problem{"{nn", true}, Problem{"a}b", true}, Problem{"{N}", true}}) {
        EXPECT_EQ(TemplateProblem(p.nameTemplate).has_value(), p.bad) << p.nameTemplate;
    }
}

} // namespace
} // namespace trimvox
