// SPDX-License-Identifier: GPL-3.0-or-later
// The memory of the real program over many preview cycles: open a file, mark start and end, preview, close
// the preview window. Prints the resident set size at the start, every 50 cycles and at the end; the target
// is a flat line after the first 50 cycles (within 2 MiB). Beside the resident set it prints the bytes the
// heap has handed out and not taken back, which do not depend on how the allocator keeps its pages.
// Run: QT_QPA_PLATFORM=offscreen build/bench/app/preview_cycle_memory_bench [CYCLES, default 500]
#include "app/main_window/form1.h"
#include "app/preview/form2.h"
#include "controls/player/media_player.h"
#include "support/mp3_fixture.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <string>
#include <unistd.h>

namespace {

using namespace trimvox;

constexpr int kPlaying = 3;

double HeapInUseMiB() {
    const struct mallinfo2 heap = mallinfo2();
    return static_cast<double>(heap.uordblks + heap.hblkhd) / (1024.0 * 1024.0);
}

double ResidentMiB() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// One cycle; false when the program did not do what it should.
bool Cycle(Form1& form, const QString& file) {
    MediaPlayer& player = *form.controls().wmp;
    form.OpenChosenFile(file);
    if (!QTest::qWaitFor([&] { return !form.controls().Timer1->isActive(); }, 5000)) {
        return false;
    }
    player.controls().pause();
    player.controls().setCurrentPosition(1.0);
    form.mxb_Click(1);
    player.controls().setCurrentPosition(3.0);
    form.mxb_Click(2);
    bool shown = false;
    QTimer watch;
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* preview = qobject_cast<Form2*>(widget);
            if (preview != nullptr && preview->isVisible() && preview->player().playState() == kPlaying) {
                shown = true;
                watch.stop();
                preview->reject();
                return;
            }
        }
    });
    watch.start();
    form.mxb_Click(3); // returns when the preview window is closed
    QTest::qWait(10);  // the deferred deletions of the cycle
    return shown;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? std::max(1, std::stoi(argv[1])) : 500;

    test::TempDataHome home;
    test::TempDir files;
    const auto source = files.path() / "source.mp3";
    test::Mp3Options options;
    options.seconds = 6.0;
    test::MakeMp3(source, options);

    Form1 form;
    form.Form_Initialize();
    form.Form_Load();
    form.show();
    const QString file = QString::fromStdString(source.string());

    const double start = ResidentMiB();
    double after50 = start;
    const double heapStart = HeapInUseMiB();
    double heapAfter50 = heapStart;
    std::printf("cycle %4d  RSS %.1f MiB  heap in use %.2f MiB\n", 0, start, heapStart);
    for (int i = 1; i <= cycles; ++i) {
        if (!Cycle(form, file)) {
            std::fprintf(stderr, "cycle %d: the preview did not play\n", i);
            return 1;
        }
        if (i == 50) {
            after50 = ResidentMiB();
            heapAfter50 = HeapInUseMiB();
        }
        if (i % 50 == 0 || i == cycles) {
            std::printf("cycle %4d  RSS %.1f MiB  heap in use %.2f MiB\n", i, ResidentMiB(), HeapInUseMiB());
            std::fflush(stdout);
        }
    }
    const double end = ResidentMiB();
    std::printf("start %.1f MiB, after 50 cycles %.1f MiB, end %.1f MiB: %+.1f MiB after the first 50 "
                "(%+.1f KiB a cycle)\n",
                start, after50, end, end - after50,
                cycles > 50 ? (end - after50) * 1024.0 / (cycles - 50) : 0.0);
    std::printf("heap in use: %+.2f MiB after the first 50 (%+.1f KiB a cycle)\n",
                HeapInUseMiB() - heapAfter50,
                cycles > 50 ? (HeapInUseMiB() - heapAfter50) * 1024.0 / (cycles - 50) : 0.0);
    return 0;
}
