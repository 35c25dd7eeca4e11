// SPDX-License-Identifier: GPL-3.0-or-later
// What Qt Multimedia itself keeps over many play cycles, without any of the program's code: a new
// QMediaPlayer opens a file, plays, pauses, seeks twice, stops and is deleted, as the main window's and the
// preview's players do in one preview cycle. Set beside the program's own cycle bench, it tells the memory
// the backend keeps from the memory the program keeps.
// Run: QT_QPA_PLATFORM=offscreen build/bench/controls/player/backend_cycle_memory_bench [CYCLES, default 500]
#include "memory_trend.h"
#include "support/mp3_fixture.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QAudioOutput>
#include <QMediaPlayer>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

bool Cycle(const QUrl& file) {
    QMediaPlayer player;
    QAudioOutput output;
    player.setAudioOutput(&output);
    player.setSource(file);
    player.play();
    if (!QTest::qWaitFor([&] { return player.position() > 100; }, 5000)) {
        return false;
    }
    player.pause();
    player.setPosition(1000);
    QTest::qWait(20);
    player.setPosition(3000);
    QTest::qWait(20);
    player.stop();
    player.setSource(QUrl());
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? std::max(1, std::stoi(argv[1])) : 500;
    trimvox::test::TempDir files;
    const auto source = files.path() / "source.mp3";
    trimvox::test::Mp3Options options;
    options.seconds = 6.0;
    trimvox::test::MakeMp3(source, options);
    const QUrl file = QUrl::fromLocalFile(QString::fromStdString(source.string()));

    trimvox::bench::MemoryTrend trend(cycles);
    for (int i = 1; i <= cycles; ++i) {
        if (!Cycle(file)) {
            std::fprintf(stderr, "cycle %d: the player did not play\n", i);
            return 1;
        }
        QTest::qWait(10); // the deferred deletions of the cycle
        trend.afterCycle(i);
    }
    trend.report();
    return 0;
}
