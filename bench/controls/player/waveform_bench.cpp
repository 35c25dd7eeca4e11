// SPDX-License-Identifier: GPL-3.0-or-later
// The waveform of a 60-minute 128 kbit/s MP3 in the real main window (offscreen): the time from opening the
// file to the first columns and to the whole waveform, the longest gap between the ticks of a 1 ms GUI timer
// while the waveform is computed, and the bytes its peaks take. Then the decoding alone, in one and in two
// threads, for comparison. It prints the numbers of each round; it checks nothing.
// Run: QT_QPA_PLATFORM=offscreen build/bench/controls/player/waveform_bench [--file MP3] [--rounds N]
#include "app/main_window/form1.h"
#include "controls/player/display_strip.h"
#include "controls/player/media_player.h"
#include "controls/player/waveform_loader.h"
#include "mp3/waveform_peaks.h"
#include "support/mp3_fixture.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace trimvox;
namespace fs = std::filesystem;

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// 60 minutes at 128 kbit/s: one minute of pink noise whose loudness rises and falls, encoded once (without
// an Info header, so the copies join into one stream) and repeated 60 times.
fs::path MakeHour(const fs::path& folder) {
    const fs::path wav = folder / "minute.wav";
    const fs::path minute = folder / "minute.mp3";
    const std::string make =
        "sox -q -n -r 44100 -c 2 -b 16 '" + wav.string() +
        "' synth 60 pinknoise synth 60 sine amod 0.05 vol 0.6 && lame --quiet --cbr -b 128 -t '" +
        wav.string() + "' '" + minute.string() + "'";
    if (std::system(make.c_str()) != 0) {
        std::fprintf(stderr, "sox or lame failed\n");
        std::exit(1);
    }
    std::ifstream in(minute, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    const fs::path hour = folder / "hour.mp3";
    std::ofstream out(hour, std::ios::binary);
    for (int i = 0; i < 60; ++i) {
        out << bytes;
    }
    return hour;
}

struct Round {
    double openMs = 0;       // the URL write itself (reading the length, starting the backend)
    double firstMs = -1;     // from opening to the first columns
    double wholeMs = -1;     // from opening to the last column
    double longestGapMs = 0; // between GUI timer ticks while computing
    double quietGapMs = 0;   // the same for as long again right after, with nothing computed
    double cpuSeconds = 0;   // the process's CPU time meanwhile (all threads)
    std::size_t peakBytes = 0;
    int columns = 0;
};

Round MeasureInWindow(Form1& form, const fs::path& file) {
    MediaPlayer& player = *form.controls().wmp;
    const DisplayStrip& strip = *player.findChild<DisplayStrip*>(QStringLiteral("display"));
    const WaveformLoader& loader = strip.waveform();
    player.setURL(QString());
    QTest::qWait(200);

    Round round;
    QElapsedTimer clock;
    qint64 lastTick = -1;
    bool computing = false;
    QTimer ticks;
    ticks.setTimerType(Qt::PreciseTimer);
    ticks.setInterval(1);
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        if (computing && lastTick >= 0) {
            round.longestGapMs = std::max(round.longestGapMs, (now - lastTick) / 1e6);
        }
        lastTick = now;
    });
    const auto first = QObject::connect(&loader, &WaveformLoader::columnsArrived, [&] {
        if (round.firstMs < 0) {
            round.firstMs = clock.nsecsElapsed() / 1e6;
        }
    });
    const auto done = QObject::connect(&loader, &WaveformLoader::finished, [&] {
        round.wholeMs = clock.nsecsElapsed() / 1e6;
        computing = false;
    });
    ticks.start();
    const double cpu = CpuSeconds();
    clock.start();
    player.setURL(QString::fromStdString(file.string()));
    round.openMs = clock.nsecsElapsed() / 1e6;
    lastTick = clock.nsecsElapsed();
    computing = true;
    if (!QTest::qWaitFor([&] { return round.wholeMs >= 0; }, 60000)) {
        std::printf("the waveform did not finish within 60 s\n");
    }
    round.cpuSeconds = CpuSeconds() - cpu;
    // The same file playing on, without any computation, for as long: what the machine's load alone gives.
    const double busyGap = round.longestGapMs;
    round.longestGapMs = 0;
    computing = true;
    QTest::qWait(static_cast<int>(round.wholeMs));
    computing = false;
    round.quietGapMs = round.longestGapMs;
    round.longestGapMs = busyGap;
    round.peakBytes = loader.peakBytes();
    for (int x = 0; x < loader.columnCount(); ++x) {
        round.columns += loader.hasColumn(x) ? 1 : 0;
    }
    QObject::disconnect(first);
    QObject::disconnect(done);
    player.controls().pause();
    return round;
}

void MeasureDecoding(const fs::path& file, double duration, int workers) {
    std::atomic<bool> stop{false};
    int columns = 0;
    const double cpu = CpuSeconds();
    QElapsedTimer clock;
    clock.start();
    ComputePeaks({file, 569, duration, workers}, stop, [&](int, PeakPair) { ++columns; });
    std::printf("  decoding alone, %d thread(s): %.0f ms, CPU %.2f s, %d columns\n", workers,
                clock.nsecsElapsed() / 1e6, CpuSeconds() - cpu, columns);
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    fs::path file;
    int rounds = 3;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        if (option == "--file") {
            file = argv[i + 1];
        } else if (option == "--rounds") {
            rounds = std::max(1, std::atoi(argv[i + 1]));
        }
    }
    test::TempDataHome home;
    test::TempDir folder;
    if (file.empty()) {
        std::printf("making a 60-minute MP3 ...\n");
        file = MakeHour(folder.path());
    }
    Form1 form;
    if (!form.Form_Initialize()) {
        return 1;
    }
    form.Form_Load();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form)) {
        return 1;
    }
    std::printf("%s: %.1f MB, %u hardware threads\n", file.string().c_str(),
                static_cast<double>(fs::file_size(file)) / 1e6, std::thread::hardware_concurrency());
    std::vector<double> firsts;
    std::vector<double> wholes;
    std::vector<double> gaps;
    for (int r = 0; r < rounds; ++r) {
        const Round round = MeasureInWindow(form, file);
        std::printf("round %d: open %.1f ms, first columns %.1f ms, whole waveform %.0f ms (%d columns), "
                    "longest GUI gap %.1f ms (%.1f ms without computing), CPU %.2f s, peaks %zu bytes\n",
                    r + 1, round.openMs, round.firstMs, round.wholeMs, round.columns, round.longestGapMs,
                    round.quietGapMs, round.cpuSeconds, round.peakBytes);
        firsts.push_back(round.firstMs);
        wholes.push_back(round.wholeMs);
        gaps.push_back(round.longestGapMs);
    }
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    std::printf(
        "median of %d: first columns %.1f ms (target 150), whole %.0f ms (target 1500), longest GUI gap "
        "%.1f ms (target 30)\n",
        rounds, median(firsts), median(wholes), median(gaps));
    const double duration = form.controls().wmp->currentMedia().duration();
    MeasureDecoding(file, duration, 1);
    MeasureDecoding(file, duration, 2);
    return 0;
}
