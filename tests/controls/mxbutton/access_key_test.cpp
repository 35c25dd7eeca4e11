// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/access_key.h"

#include <gtest/gtest.h>

namespace trimvox::mxbutton {
namespace {

struct AccessKeyRow {
    const char16_t* caption;
    char16_t key; // 0 for none
};

class AccessKey : public ::testing::TestWithParam<AccessKeyRow> {};

TEST_P(AccessKey, TakesTheMarkedCharacterInLowerCase) {
    const AccessKeyRow row = GetParam();
    const QChar key = UpdateAccessKey(QString::fromUtf16(row.caption));
    EXPECT_EQ(key.unicode(), row.key) << QString::fromUtf16(row.caption).toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Captions, AccessKey,
    ::testing::Values(AccessKeyRow{u"", 0}, AccessKeyRow{u"&", 0}, AccessKeyRow{u"O", 0},
                      AccessKeyRow{u"&Open", u'o'}, AccessKeyRow{u"Op&En", u'e'}, AccessKeyRow{u"Open", 0},
                      AccessKeyRow{u"Open&", 0},        // the only marker is the last character
                      AccessKeyRow{u"A&&B", 0},         // only a literal ampersand
                      AccessKeyRow{u"A&&B &Cut", u'c'}, // the single marker after a doubled one
                      AccessKeyRow{u"A&&B&", 0},        // the single marker is the last character
                      AccessKeyRow{u"A&&B&&C &D", 0},   // two doubled markers end the search
                      AccessKeyRow{u"&&&X", u'x'},      // a marker right after a doubled one
                      AccessKeyRow{u"&a&b", u'a'},      // the first marker wins
                      AccessKeyRow{u"打&开", u'开'}));  // any script

} // namespace
} // namespace trimvox::mxbutton
