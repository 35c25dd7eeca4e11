// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/length_walk.h"

#include "common/path_text.h"
#include "mp3/walked_duration.h"

#include <QThread>

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace trimvox {

namespace {

std::optional<double> WalkFile(const std::filesystem::path& path, const std::atomic<bool>& cancel) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<double> seconds;
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        seconds = WalkedDuration(fd, status.st_size, &cancel);
    }
    ::close(fd);
    return seconds;
}

} // namespace

LengthWalk::LengthWalk(QObject* parent) : QObject(parent) {}

LengthWalk::~LengthWalk() {
    stop();
}

void LengthWalk::stop() {
    ++generation_;
    if (thread_) {
        cancel_ = true;
        thread_->wait(); // it looks at the flag every thousand frames
        thread_.reset();
    }
    cancel_ = false;
    result_.reset();
}

bool LengthWalk::isRunning() const {
    return thread_ && !thread_->isFinished();
}

void LengthWalk::start(const QString& path) {
    stop();
    const quint64 generation = generation_;
    const std::filesystem::path file(PathBytes(path.toStdU16String())); // the name's own bytes
    thread_.reset(QThread::create([this, file] { result_ = WalkFile(file, cancel_); }));
    thread_->setPriority(QThread::LowPriority);
    connect(thread_.get(), &QThread::finished, this, [this, generation] {
        if (generation == generation_ && result_ && *result_ > 0) {
            emit walked(*result_);
        }
    });
    thread_->start();
}

} // namespace trimvox
