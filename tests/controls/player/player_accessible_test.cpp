// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/media_player.h"

#include "controls/player/player_fixture.h"

#include <QAccessible>
#include <QToolButton>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

constexpr int kPlaying = 3;

// The player's own buttons carry icons only: a screen reader must still hear what each one does, and the
// play button's name follows what a press would do.
TEST(PlayerAccessible, TheTransportButtonsHaveNames) {
    test::TempDir dir;
    MediaPlayer player;
    player.show();
    const auto nameOf = [&](const char* objectName) {
        auto* button = player.findChild<QToolButton*>(QString::fromLatin1(objectName));
        EXPECT_NE(button, nullptr) << objectName;
        return button ? QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name) : QString();
    };
    const struct {
        const char* button;
        const char* idle;
        const char* playing;
    } rows[] = {
        {"playButton", "播放", "暂停"},
        {"stopButton", "停止", "停止"},
        {"muteButton", "静音", "静音"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(nameOf(row.button), QString::fromUtf8(row.idle)) << row.button;
    }
    player.setURL(test::Q(test::MakeTone(dir.path(), "tone.mp3", 2.0)));
    ASSERT_TRUE(test::WaitFor([&] { return player.playState() == kPlaying; }));
    for (const auto& row : rows) {
        EXPECT_EQ(nameOf(row.button), QString::fromUtf8(row.playing)) << row.button << " while playing";
    }
}

} // namespace
} // namespace trimvox
