// SPDX-License-Identifier: GPL-3.0-or-later
// Times the player's open of 4.4 GiB files, the call that the open command makes on the GUI thread: from
// setting the media address until it returns to the event loop (target: under 100 ms). The files are
// sparse: their first bytes, then a hole, so that making them costs nothing. Also prints how many bytes
// each open read.
//
//   QT_QPA_PLATFORM=offscreen media_open_bench [--rounds N]
#include "mp3/media_info.h"
#include "controls/player/media_player.h"
#include "support/mp3_fixture.h"
#include "support/process_io.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string Mp3Bytes(const fs::path& folder, bool infoHeader) {
    trimvox::test::Mp3Options options;
    options.seconds = 2.0;
    options.infoHeader = infoHeader;
    const fs::path path = folder / "head.mp3";
    trimvox::test::MakeMp3(path, options);
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int rounds = 9;
    if (argc == 3 && std::string(argv[1]) == "--rounds") {
        rounds = std::max(1, std::atoi(argv[2]));
    }
    trimvox::test::TempDir dir;
    const std::int64_t size = (std::int64_t{44} << 30) / 10;
    const std::pair<std::string, std::string> files[] = {
        {"zeros (no MP3 at all)", ""},
        {"text, then zeros", std::string(100000, 'x')},
        {"MP3 frames without Info header, then zeros", Mp3Bytes(dir.path(), false)},
        {"MP3 frames with Info header, then zeros", Mp3Bytes(dir.path(), true)},
    };
    trimvox::MediaPlayer player;
    // The first open of a playable file starts the playback backend once per run, whatever the file's size:
    // one small file opened first keeps that out of the times below.
    const fs::path small = dir.path() / "small.mp3";
    std::ofstream(small, std::ios::binary) << files[2].second;
    QElapsedTimer first;
    first.start();
    player.setURL(QString::fromStdString(small.string()));
    std::printf("First open of a small MP3 in this run (starts the backend): %.2f ms\n",
                static_cast<double>(first.nsecsElapsed()) / 1e6);
    QApplication::processEvents();
    std::printf("Open of a %lld-byte sparse file, %d rounds (median and worst, ms; bytes read per open)\n",
                static_cast<long long>(size), rounds);
    int index = 0;
    for (const auto& [name, head] : files) {
        const fs::path path = dir.path() / ("huge" + std::to_string(index++) + ".mp3");
        std::ofstream(path, std::ios::binary) << head;
        fs::resize_file(path, static_cast<std::uintmax_t>(size));
        std::vector<double> ms;
        std::int64_t read = 0;
        for (int round = 0; round < rounds; ++round) {
            player.setURL(QString());
            QApplication::processEvents();
            const std::int64_t before = trimvox::test::ProcessIoCount("rchar");
            QElapsedTimer clock;
            clock.start();
            player.setURL(QString::fromStdString(path.string()));
            ms.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
            read = trimvox::test::ProcessIoCount("rchar") - before;
            QApplication::processEvents();
        }
        player.setURL(QString());
        std::sort(ms.begin(), ms.end());
        std::printf("  %-46s %8.2f %8.2f  %lld bytes, playable %s, %.1f s\n", name.c_str(), ms[ms.size() / 2],
                    ms.back(), static_cast<long long>(read),
                    trimvox::ReadMediaInfo(path).playable ? "yes" : "no",
                    trimvox::ReadMediaInfo(path).durationSeconds);
        fs::remove(path);
    }
    return 0;
}
