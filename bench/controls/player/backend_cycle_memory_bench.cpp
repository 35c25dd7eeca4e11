// SPDX-License-Identifier: GPL-3.0-or-later
// What Qt Multimedia itself keeps over many play cycles, without any of the program's code: a new
// QMediaPlayer opens a file, plays, pauses, seeks twice, stops and is deleted, as the main window's and the
// preview's players do in one preview cycle. Set beside the program's own cycle bench, it tells the memory
// the backend keeps from the memory the program keeps.
// Run: QT_QPA_PLATFORM=offscreen build/bench/controls/player/backend_cycle_memory_bench [CYCLES, default 500]
#include "support/mp3_fixture.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QAudioOutput>
#include <QMediaPlayer>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <cstdio>
#include <malloc.h>
#include <string>

namespace {

double HeapInUseMiB() {
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd) / (1024.0 * 1024.0);
}

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

    double after50 = HeapInUseMiB();
    std::printf("cycle %4d  heap in use %.2f MiB\n", 0, after50);
    for (int i = 1; i <= cycles; ++i) {
        if (!Cycle(file)) {
            std::fprintf(stderr, "cycle %d: the player did not play\n", i);
            return 1;
        }
        QTest::qWait(10); // the deferred deletions of the cycle
        if (i == 50) {
            after50 = HeapInUseMiB();
        }
        if (i % 50 == 0 || i == cycles) {
            std::printf("cycle %4d  heap in use %.2f MiB\n", i, HeapInUseMiB());
            std::fflush(stdout);
        }
    }
    const double end = HeapInUseMiB();
    std::printf("heap in use: %+.2f MiB after the first 50 (%+.1f KiB a cycle)\n", end - after50,
                cycles > 50 ? (end - after50) * 1024.0 / (cycles - 50) : 0.0);
    return 0;
}
