// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/media_player.h"

#include "controls/player/display_strip.h"
#include "controls/player/player_fixture.h"
#include "controls/player/seek_bar.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QToolButton>

#include <fstream>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

using test::MakeTone;
using test::Pump;
using test::Q;
using test::WaitFor;

constexpr int kPaused = 2, kPlaying = 3;

TEST(MediaPlayerDefaultsTest, KeepsThePlayersDefaults) {
    MediaPlayer player;
    const struct {
        const char* name;
        QVariant value;
    } cases[] = {
        {"uiMode", QString("full")},
        {"autoStart", true},
        {"volume", 50},
        {"rate", 1.0},
        {"balance", 0},
        {"playCount", 1},
        {"mute", false},
        {"invokeURLs", true},
        {"enableContextMenu", true},
        {"enableErrorDialogs", false},
        {"stretchToFit", false},
        {"windowlessVideo", false},
        {"fullScreen", false},
        {"URL", QString()},
        {"playState", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(player.property(c.name), c.value) << c.name;
    }
}

class MediaPlayerUiTest : public ::testing::Test {
protected:
    MediaPlayerUiTest() { player.show(); }

    template <typename T> T* child(const char* name) {
        T* widget = player.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    bool startPlaying(const std::string& title = "Tone") {
        player.setURL(Q(MakeTone(dir.path(), "song.mp3", 3.0, title)));
        return WaitFor(
            [&] { return player.playState() == kPlaying && player.controls().currentPosition() > 0; });
    }

    test::TempDir dir;
    MediaPlayer player;
};

// The main window lays six buttons over the player's lower right (x 216..553, y 72..97 at 569 x 97); the
// preview window gives it 273 x 137. The controls that matter stay clear of those buttons and inside the
// player.
TEST_F(MediaPlayerUiTest, ControlsFitBothWindowsAndLeaveTheLowerRightFree) {
    const struct {
        QSize size;
        QRect covered;
    } cases[] = {{{569, 97}, QRect(QPoint(216, 72), QPoint(553, 96))}, {{273, 137}, QRect()}};
    for (const auto& c : cases) {
        player.resize(c.size);
        const QRect area = player.rect();
        for (const char* name :
             {"display", "seekBar", "playButton", "stopButton", "time", "muteButton", "volumeSlider"}) {
            const QRect place = child<QWidget>(name)->geometry();
            EXPECT_TRUE(area.contains(place)) << name << " at " << c.size.width();
            EXPECT_FALSE(place.isEmpty()) << name;
        }
        for (const char* name : {"seekBar", "playButton", "stopButton", "time"}) {
            EXPECT_FALSE(child<QWidget>(name)->geometry().intersects(c.covered))
                << name << " at " << c.size.width();
        }
        EXPECT_GE(child<SeekBar>("seekBar")->width(), c.size.width() - 10);
        auto* time = child<QLabel>("time");
        time->setText("00:00 / 00:00");
        EXPECT_LE(time->fontMetrics().horizontalAdvance(time->text()), time->width());
    }
}

TEST_F(MediaPlayerUiTest, SpacePlaysAndPausesWhenThePlayerHasTheFocus) {
    EXPECT_TRUE(player.focusPolicy() & Qt::TabFocus);
    for (const char* name : {"seekBar", "playButton", "stopButton", "muteButton", "volumeSlider"}) {
        EXPECT_EQ(child<QWidget>(name)->focusPolicy(), Qt::NoFocus) << name;
    }
    player.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&player));
    player.setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(player.hasFocus());
    EXPECT_TRUE(child<DisplayStrip>("display")->focusFrame());
    ASSERT_TRUE(startPlaying());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_EQ(player.playState(), kPaused);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    EXPECT_TRUE(WaitFor([&] { return player.playState() == kPlaying; }));
}

TEST_F(MediaPlayerUiTest, ButtonsSeekBarAndDisplayDriveAndShowPlayback) {
    auto* play = child<QToolButton>("playButton");
    EXPECT_FALSE(play->isEnabled()); // nothing open
    ASSERT_TRUE(startPlaying("Tone 音"));
    auto* display = child<DisplayStrip>("display");
    EXPECT_EQ(display->title(), "Tone 音");
    EXPECT_EQ(display->status(), "正在播放");

    play->click();
    EXPECT_EQ(player.playState(), kPaused);
    EXPECT_EQ(display->status(), "已暂停");

    auto* bar = child<SeekBar>("seekBar");
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() / 2));
    EXPECT_NEAR(player.controls().currentPosition(), player.currentMedia().duration() / 2, 0.05);
    EXPECT_EQ(child<QLabel>("time")->text(), "00:01 / 00:03");

    // Each state shows one icon for the whole program, not a fresh one (with fresh pixmaps in Qt's pixmap
    // cache) at every change or in every new player: the program would grow with every preview.
    const qint64 playIcon = play->icon().cacheKey();
    play->click();
    EXPECT_TRUE(WaitFor([&] { return player.playState() == kPlaying; }));
    const qint64 pauseIcon = play->icon().cacheKey();
    play->click();
    EXPECT_EQ(play->icon().cacheKey(), playIcon);
    play->click();
    EXPECT_TRUE(WaitFor([&] { return player.playState() == kPlaying; }));
    EXPECT_EQ(play->icon().cacheKey(), pauseIcon);
    MediaPlayer other;
    EXPECT_EQ(other.findChild<QToolButton*>("playButton")->icon().cacheKey(), playIcon);
    child<QToolButton>("stopButton")->click();
    EXPECT_EQ(player.controls().currentPosition(), 0.0);
    EXPECT_EQ(display->status(), "已停止");
    EXPECT_EQ(child<QLabel>("time")->text(), "00:00 / 00:03");
}

TEST_F(MediaPlayerUiTest, VolumeAndMute) {
    auto* slider = child<QSlider>("volumeSlider");
    EXPECT_EQ(slider->value(), 50);
    slider->setValue(20);
    EXPECT_EQ(player.volume(), 20);
    player.setVolume(150);
    EXPECT_EQ(player.volume(), 100);
    EXPECT_EQ(slider->value(), 100);
    child<QToolButton>("muteButton")->click();
    EXPECT_TRUE(player.mute());
    player.setMute(false);
    EXPECT_FALSE(child<QToolButton>("muteButton")->isChecked());
}

TEST_F(MediaPlayerUiTest, UnplayableMediaShowsItsNameAndStaysIdle) {
    const auto path = dir.path() / "broken.mp3";
    { std::ofstream(path) << "no audio here"; }
    player.setURL(Q(path));
    Pump(100);
    EXPECT_EQ(child<DisplayStrip>("display")->title(), "broken");
    EXPECT_EQ(child<DisplayStrip>("display")->status(), "无法播放此文件");
    EXPECT_FALSE(child<QToolButton>("playButton")->isEnabled());
    EXPECT_FALSE(child<SeekBar>("seekBar")->isEnabled());
}

} // namespace
} // namespace trimvox
