// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/waveform_loader.h"

#include "common/path_text.h"

#include "controls/player/background_priority.h"

#include <QMetaObject>

#include <algorithm>
#include <atomic>
#include <memory>
#include <utility>

namespace trimvox {

namespace {
// The decoding threads give way to the GUI thread, which then waits less for a processor while they run.
constexpr int kNiceSteps = 5;

// Decoding threads side by side: the machine's cores, at most two (the GUI thread keeps its share).
int WorkerCount() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 2u));
}
} // namespace

// The columns, shared by the decoding threads and the GUI thread without a lock (a decoding thread that the
// scheduler holds up never holds up the GUI thread): a thread writes a column once, then marks it ready.
struct WaveformLoader::Job {
    explicit Job(int columns)
        : peaks(static_cast<std::size_t>(columns)),
          ready(std::make_unique<std::atomic<bool>[]>(static_cast<std::size_t>(columns))) {}

    std::vector<PeakPair> peaks;
    std::unique_ptr<std::atomic<bool>[]> ready;
    std::atomic<bool> stop{false};
    std::atomic<bool> done{false};
    std::atomic<bool> notified{false}; // a take() is queued for the GUI thread
    bool reported = false;             // finished() was emitted (GUI thread only)
};

WaveformLoader::WaveformLoader(QObject* parent) : QObject(parent) {}

WaveformLoader::~WaveformLoader() {
    clear();
}

int WaveformLoader::columnCount() const {
    return job_ != nullptr ? static_cast<int>(job_->peaks.size()) : 0;
}

bool WaveformLoader::hasColumn(int column) const {
    return job_ != nullptr && column >= 0 && column < columnCount() &&
           job_->ready[static_cast<std::size_t>(column)].load(std::memory_order_acquire);
}

PeakPair WaveformLoader::column(int column) const {
    return hasColumn(column) ? job_->peaks[static_cast<std::size_t>(column)] : PeakPair{};
}

bool WaveformLoader::isBusy() const {
    return job_ != nullptr && !job_->done.load();
}

std::size_t WaveformLoader::peakBytes() const {
    return job_ != nullptr ? job_->peaks.capacity() * (sizeof(PeakPair) + sizeof(std::atomic<bool>)) : 0;
}

void WaveformLoader::clear() {
    if (job_ != nullptr) {
        job_->stop = true;
    }
    if (thread_.joinable()) {
        thread_.join(); // within one MP3 frame of each decoding thread
    }
    job_.reset();
    path_.clear();
    arrived_ = 0;
}

void WaveformLoader::start(const QString& path, int columns, double duration) {
    clear();
    if (path.isEmpty() || columns <= 0 || !(duration > 0.0)) {
        return;
    }
    path_ = path;
    auto job = std::make_shared<Job>(columns);
    job_ = job;
    // The thread ends before this object does; a call still queued when it goes is dropped with it.
    const auto notify = [this, job] {
        if (!job->notified.exchange(true)) {
            QMetaObject::invokeMethod(
                this, [this, job] { take(job); }, Qt::QueuedConnection);
        }
    };
    PeakRequest request{PathBytes(path.toStdU16String()), columns, duration, WorkerCount(),
                        [] { LowerThisThreadPriority(kNiceSteps); }};
    thread_ = std::thread([request = std::move(request), job, notify] {
        ComputePeaks(request, job->stop, [&](int column, PeakPair peak) {
            const auto index = static_cast<std::size_t>(column);
            if (index < job->peaks.size()) {
                job->peaks[index] = peak;
                job->ready[index].store(true, std::memory_order_release);
                notify();
            }
        });
        job->done = true;
        notify();
    });
}

void WaveformLoader::take(const std::shared_ptr<Job>& job) {
    if (job != job_) {
        return; // a computation that was stopped: its columns are stale
    }
    job->notified = false;
    const bool done = job->done.load();
    int arrived = 0;
    for (int x = 0; x < columnCount(); ++x) {
        arrived += hasColumn(x) ? 1 : 0;
    }
    if (arrived != arrived_) {
        arrived_ = arrived;
        emit columnsArrived();
        if (job != job_) {
            return; // a receiver started another file
        }
    }
    if (done && !job->reported) {
        job->reported = true;
        emit finished();
    }
}

} // namespace trimvox
