// SPDX-License-Identifier: GPL-3.0-or-later
// Times the preview command of the real program: a click on "预览" with a 10 MB source loaded, until the
// preview window's player plays. The 200 ms pause of the command is included.
// Run: QT_QPA_PLATFORM=offscreen build/bench/app/preview_latency_bench
#include "app/main_window/form1.h"
#include "app/preview/form2.h"
#include "controls/player/media_player.h"
#include "support/mp3_fixture.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>

namespace {

using namespace trimvox;

constexpr int kPlaying = 3;

void BM_PreviewClickToPlaying(benchmark::State& state) {
    test::TempDataHome home;
    test::TempDir files;
    const auto source = files.path() / "source.mp3";
    test::Mp3Options options;
    options.seconds = 250.0; // 320 kbit/s: about 10 MB
    options.bitrateKbps = 320;
    test::MakeMp3(source, options);
    state.counters["source_MB"] = static_cast<double>(std::filesystem::file_size(source)) / 1e6;

    Form1 form;
    form.Form_Initialize();
    form.Form_Load();
    form.show();
    MediaPlayer& player = *form.controls().wmp;
    player.setURL(QString::fromStdString(source.string()));
    player.controls().play();
    if (!QTest::qWaitFor([&] { return player.playState() == kPlaying; }, 5000)) {
        state.SkipWithError("the source did not play");
        return;
    }
    form.StartPos = 5.0;
    form.EndPos = 245.0; // nearly the whole file

    for (auto _ : state) {
        QElapsedTimer clock;
        qint64 elapsedNs = -1;
        auto* poll = new QTimer;
        poll->setInterval(1);
        QObject::connect(poll, &QTimer::timeout, [&, poll] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* preview = qobject_cast<Form2*>(widget);
                if (preview != nullptr && preview->isVisible() && preview->player().playState() == kPlaying) {
                    elapsedNs = clock.nsecsElapsed();
                    poll->stop();
                    poll->deleteLater();
                    preview->reject();
                    return;
                }
            }
        });
        poll->start();
        auto* button = form.controls().mxb[3];
        clock.start();
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
        if (elapsedNs < 0) {
            state.SkipWithError("the preview did not play");
            break;
        }
        state.SetIterationTime(static_cast<double>(elapsedNs) / 1e9);
        player.controls().play();
    }
}
BENCHMARK(BM_PreviewClickToPlaying)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
