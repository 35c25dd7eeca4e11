// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/path_text.h"

#include <gtest/gtest.h>

namespace trimvox {
namespace {

// Names of bytes carried as text come back as the same bytes, and are shown readably.
TEST(PathText, CarriesAnyBytesAndShowsThemReadably) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string shown; // UTF-8
        bool escaped;      // the text carries escapes (it is not plain UTF-16 of the name)
    };
    const Case cases[] = {
        {"ASCII", "/music/song.mp3", "/music/song.mp3", false},
        {"UTF-8 Chinese", "/音乐/歌.mp3", "/音乐/歌.mp3", false},
        {"UTF-8 beyond the BMP", "/\xF0\x9F\x8E\xB5.mp3", "/\xF0\x9F\x8E\xB5.mp3", false},
        {"GBK", "/\xC4\xE3\xBA\xC3.mp3", "/你好.mp3", true},
        {"Latin-1 that is no GB18030", "/caf\xE9.mp3", "/caf\xEF\xBF\xBD.mp3", true},
        {"a lone continuation byte", "a\x80z", "a\xEF\xBF\xBDz", true},
        {"an overlong slash, which GB18030 reads", "a\xC0\xAFz", "a蜡z", true},
        {"an encoded surrogate", "a\xED\xB2\x80z", "a\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDz", true},
        {"a cut-off UTF-8 sequence, which GB18030 reads", "ab\xE4\xBD", "ab浣", true},
        {"a cut-off GB18030 sequence", "ab\xC4", "ab\xEF\xBF\xBD", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::u16string text = PathText(c.bytes);
        EXPECT_EQ(PathBytes(text), c.bytes);
        EXPECT_EQ(IsValidUtf8(c.bytes), !c.escaped);
        EXPECT_EQ(DisplayName(c.bytes), c.shown);
        EXPECT_TRUE(IsValidUtf8(DisplayName(c.bytes)));
    }
    // A lone surrogate that is not one of the escapes does not turn into a byte of its own.
    EXPECT_EQ(PathBytes(u"a\xD800z"), "a\xEF\xBF\xBDz");
}

} // namespace
} // namespace trimvox
