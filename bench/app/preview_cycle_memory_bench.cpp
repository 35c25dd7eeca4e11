// SPDX-License-Identifier: GPL-3.0-or-later
// The memory of the real program over many preview cycles: open a file, mark start and end, preview, close
// the preview window. Prints the resident set size at the start, every 50 cycles and at the end; the target
// is a flat line after the first 50 cycles (within 2 MiB). Beside the resident set it prints the bytes the
// heap has handed out and not taken back, which do not depend on how the allocator keeps its pages.
// Run: QT_QPA_PLATFORM=offscreen build/bench/app/preview_cycle_memory_bench [CYCLES, default 500]
#include "app/main_window/form1.h"
#include "app/preview/form2.h"
#include "controls/player/media_player.h"
#include "memory_trend.h"
#include "support/mp3_fixture.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <string>

namespace {

using namespace trimvox;

constexpr int kPlaying = 3;

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

    bench::MemoryTrend trend(cycles);
    for (int i = 1; i <= cycles; ++i) {
        if (!Cycle(form, file)) {
            std::fprintf(stderr, "cycle %d: the preview did not play\n", i);
            return 1;
        }
        trend.afterCycle(i);
    }
    trend.report();
    return 0;
}
