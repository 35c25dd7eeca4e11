// SPDX-License-Identifier: GPL-3.0-or-later
// OLE colour translation through the system colour table.

#include "platform/gdi/system_colors.h"

#include <gtest/gtest.h>

namespace trimvox::gdi {
namespace {

TEST(SystemColorsTest, ResolveColorTranslatesLikeOleTranslateColor) {
    const struct {
        OleColor in;
        ColorRef out;
    } cases[] = {
        {0x00E7EBEC, 0x00E7EBEC},    {0x8000000F, 0xF0F0F0},      {0x80000012, 0x000000},
        {0x80000011, 0x6D6D6D},      {0x8000000C, 0xABABAB},      {0x80000010, 0xA0A0A0},
        {0x80000014, 0xFFFFFF},      {0x80000015, 0x696969},      {0x80000016, 0xE3E3E3},
        {0x8000001F, kInvalidColor}, {0x80000100, kInvalidColor}, {0x01000005, kInvalidColor},
        {0x02123456, 0x123456},      {0x40000000, kInvalidColor}, {0xFFFFFFFF, kInvalidColor},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolveColor(c.in), c.out) << std::hex << c.in;
}

} // namespace
} // namespace trimvox::gdi
