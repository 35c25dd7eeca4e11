#include "platform/media/waveform_loader.h"

#include <QMetaObject>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <utility>

namespace trimvox {

namespace {
// Decoding threads side by side: the machine's cores, at most two (the GUI thread keeps its share).
int WorkerCount() {
    return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 2u));
}
} // namespace

// What the decoding thread shares with the GUI thread: the columns that arrived and are not yet taken.
struct WaveformLoader::Job {
    std::atomic<bool> stop{false};
    std::atomic<bool> done{false};
    std::mutex mutex;
    std::vector<std::pair<int, PeakPair>> arrived;
    bool takePending = false; // a take() is queued for the GUI thread
    bool reported = false;    // finished() was emitted (GUI thread only)
};

WaveformLoader::WaveformLoader(QObject* parent) : QObject(parent) {}

WaveformLoader::~WaveformLoader() {
    clear();
}

bool WaveformLoader::isBusy() const {
    return job_ != nullptr && !job_->done.load();
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
    peaks_.clear();
    peaks_.shrink_to_fit();
    filled_.clear();
    filled_.shrink_to_fit();
    arrived_ = 0;
}

void WaveformLoader::start(const QString& path, int columns, double duration) {
    clear();
    if (path.isEmpty() || columns <= 0 || !(duration > 0.0)) {
        return;
    }
    path_ = path;
    peaks_.assign(static_cast<std::size_t>(columns), PeakPair{});
    filled_.assign(static_cast<std::size_t>(columns), 0);
    auto job = std::make_shared<Job>();
    job_ = job;
    // The thread ends before this object does; a call still queued when it goes is dropped with it.
    const auto post = [this, job] {
        QMetaObject::invokeMethod(
            this, [this, job] { take(job); }, Qt::QueuedConnection);
    };
    PeakRequest request{path.toStdU16String(), columns, duration, WorkerCount()};
    thread_ = std::thread([request = std::move(request), job, post] {
        ComputePeaks(request, job->stop, [&](int column, PeakPair peak) {
            const std::lock_guard<std::mutex> lock(job->mutex);
            job->arrived.emplace_back(column, peak);
            if (!job->takePending) {
                job->takePending = true;
                post();
            }
        });
        job->done = true;
        const std::lock_guard<std::mutex> lock(job->mutex);
        if (!job->takePending) {
            job->takePending = true;
            post();
        }
    });
}

void WaveformLoader::take(const std::shared_ptr<Job>& job) {
    if (job != job_) {
        return; // a computation that was stopped: its columns are stale
    }
    std::vector<std::pair<int, PeakPair>> arrived;
    {
        const std::lock_guard<std::mutex> lock(job->mutex);
        arrived.swap(job->arrived);
        job->takePending = false;
    }
    for (const auto& [column, peak] : arrived) {
        const auto index = static_cast<std::size_t>(column);
        if (index < peaks_.size() && filled_[index] == 0) {
            peaks_[index] = peak;
            filled_[index] = 1;
            ++arrived_;
        }
    }
    if (!arrived.empty()) {
        emit columnsArrived();
        if (job != job_) {
            return; // a receiver started another file
        }
    }
    if (job->done.load() && !job->reported) {
        {
            const std::lock_guard<std::mutex> lock(job->mutex);
            job->reported = job->arrived.empty();
        }
        if (job->reported) {
            emit finished();
        }
    }
}

} // namespace trimvox
