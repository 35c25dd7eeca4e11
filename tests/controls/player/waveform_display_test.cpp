// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/player_fixture.h"
#include "controls/player/display_strip.h"
#include "controls/player/media_player.h"
#include "controls/player/waveform_loader.h"

#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;
using test::Q;
using test::WaitFor;

class WaveformDisplayTest : public ::testing::Test {
protected:
    WaveformDisplayTest() {
        player->resize(569, 97);
        player->show();
    }

    fs::path Mp3(const std::string& name, double seconds, double volume, double silence = 0,
                 bool infoHeader = true) {
        test::Mp3Options options = test::LoudnessShape(seconds, volume, silence);
        options.infoHeader = infoHeader;
        const fs::path path = dir.path() / name;
        test::MakeMp3(path, options);
        return path;
    }
    // A long loud file (about 33 minutes), made by repeating a short one, that takes a while to decode.
    fs::path LongLoudMp3() {
        const fs::path piece = Mp3("piece.mp3", 10.0, 0.9, 0, false);
        std::ifstream in(piece, std::ios::binary);
        const std::string bytes(std::istreambuf_iterator<char>(in), {});
        const fs::path path = dir.path() / "long.mp3";
        std::ofstream out(path, std::ios::binary);
        for (int i = 0; i < 200; ++i) {
            out << bytes;
        }
        return path;
    }
    DisplayStrip& strip() { return *player->findChild<DisplayStrip*>(QStringLiteral("display")); }
    const WaveformLoader& waveform() { return strip().waveform(); }
    bool WaitForWaveform() {
        return WaitFor([&] { return !waveform().isEmpty() && !waveform().isBusy(); }, 10000);
    }

    test::TempDir dir;
    std::unique_ptr<MediaPlayer> player = std::make_unique<MediaPlayer>();
};

// Opening another file while the waveform of the first is computed: the first one's columns never show,
// the second one's all do; closing the player while it computes stops at once.
TEST_F(WaveformDisplayTest, AnotherFileStopsTheComputationAndNoStaleColumnShows) {
    const fs::path longLoud = LongLoudMp3();
    const fs::path halfSilent = Mp3("half.mp3", 2.0, 0.5, 2.0);
    for (int round = 0; round < 3; ++round) {
        player->setURL(Q(longLoud));
        ASSERT_TRUE(WaitFor([&] { return !waveform().isEmpty(); }, 10000));
        ASSERT_TRUE(waveform().isBusy()) << "the long file was done before the switch";
        player->setURL(Q(halfSilent));
        ASSERT_TRUE(WaitForWaveform());
        test::Pump(50); // anything the first computation might still have queued
        const int columns = waveform().columnCount();
        ASSERT_EQ(columns, strip().width());
        for (int x = 0; x < columns * 45 / 100; ++x) { // the tone starts at about half the length
            ASSERT_TRUE(waveform().hasColumn(x)) << x;
            EXPECT_LT(waveform().column(x).high, 0.02) << "column " << x << " of the loud file shows";
        }
    }
    // Stopping waits for each decoding thread to finish its current frame, no more.
    player->setURL(Q(longLoud));
    ASSERT_TRUE(WaitFor([&] { return !waveform().isEmpty(); }, 10000));
    QElapsedTimer stopping;
    stopping.start();
    strip().showWaveformOf(QString(), 0.0);
    EXPECT_LT(stopping.elapsed(), 250) << "ms; the rest would take about a second";
    EXPECT_FALSE(waveform().isBusy());
    player->setURL(Q(longLoud));
    ASSERT_TRUE(WaitFor([&] { return !waveform().isEmpty(); }, 10000));
    player.reset();
    test::Pump(50);
}

TEST_F(WaveformDisplayTest, AFileThatDoesNotDecodeShowsNoWaveformAndClicksDoNotSeek) {
    const fs::path text = dir.path() / "text.mp3";
    std::ofstream(text) << std::string(50000, 'x');
    player->setURL(Q(text));
    test::Pump(200);
    EXPECT_TRUE(waveform().isEmpty());
    QSignalSpy seeks(&strip(), &DisplayStrip::seekRequested);
    QTest::mouseClick(&strip(), Qt::LeftButton, {}, QPoint(100, 20));
    EXPECT_EQ(seeks.count(), 0);
}

// A click on the waveform seeks to the time under the pointer; moving with the button down and letting go
// asks for nothing more.
TEST_F(WaveformDisplayTest, ClickSeeksAndDragDoesNothingMore) {
    player->setAutoStart(false);
    player->setURL(Q(Mp3("tone.mp3", 4.0, 0.5)));
    ASSERT_TRUE(WaitForWaveform());
    QSignalSpy seeks(&strip(), &DisplayStrip::seekRequested);
    const double duration = player->currentMedia().duration();
    const int width = strip().width();
    QTest::mousePress(&strip(), Qt::LeftButton, {}, QPoint(width / 4, 20));
    QMouseEvent move(QEvent::MouseMove, QPointF(width / 2, 20), strip().mapToGlobal(QPointF(width / 2, 20)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&strip(), &move);
    QTest::mouseRelease(&strip(), Qt::LeftButton, {}, QPoint(width / 2, 20));
    ASSERT_EQ(seeks.count(), 1);
    EXPECT_NEAR(seeks.at(0).at(0).toDouble(), duration / 4, duration / width);
    EXPECT_TRUE(WaitFor([&] { return std::abs(player->controls().currentPosition() - duration / 4) < 0.1; }));
}

} // namespace
} // namespace trimvox
