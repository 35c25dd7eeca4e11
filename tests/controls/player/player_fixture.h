// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/mp3_fixture.h"
#include "support/temp_data_home.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>

#include <filesystem>
#include <functional>
#include <string>

namespace trimvox::test {

// Runs the event loop until `done` holds or `timeoutMs` has passed; returns whether it holds.
inline bool WaitFor(const std::function<bool()>& done, int timeoutMs = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Runs the event loop for `ms` milliseconds.
inline void Pump(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
}

inline QString Q(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// Makes a constant-bit-rate MP3 (128 kbps) in a folder.
inline std::filesystem::path MakeTone(const std::filesystem::path& folder, const std::string& name,
                                      double seconds, const std::string& title = {}, bool infoHeader = true) {
    Mp3Options options;
    options.seconds = seconds;
    options.title = title;
    options.infoHeader = infoHeader;
    const std::filesystem::path path = folder / name;
    MakeMp3(path, options);
    return path;
}

} // namespace trimvox::test
