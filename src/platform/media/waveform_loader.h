#pragma once

#include "platform/media/waveform_peaks.h"

#include <QObject>
#include <QString>

#include <memory>
#include <thread>
#include <vector>

namespace trimvox {

// The waveform of one file, computed off the GUI thread: the min/max pairs of its columns, filled in column
// by column as the decoder passes them. Starting another file or clearing stops the computation at once
// and drops its columns; none of them arrives afterwards.
class WaveformLoader : public QObject {
    Q_OBJECT

public:
    explicit WaveformLoader(QObject* parent = nullptr);
    ~WaveformLoader() override;

    // Computes `columns` columns over `duration` seconds of the MP3 file at `path`. A file that does not
    // decode gets no columns and no message.
    void start(const QString& path, int columns, double duration);
    void clear();

    QString path() const { return path_; }
    int columnCount() const { return static_cast<int>(peaks_.size()); }
    bool hasColumn(int column) const { return filled_[static_cast<std::size_t>(column)] != 0; }
    PeakPair column(int column) const { return peaks_[static_cast<std::size_t>(column)]; }
    // Whether any column has arrived.
    bool isEmpty() const { return arrived_ == 0; }
    // Whether the computation is still under way.
    bool isBusy() const;
    // The bytes that the kept peaks take.
    std::size_t peakBytes() const { return peaks_.capacity() * sizeof(PeakPair) + filled_.capacity(); }

signals:
    // New columns arrived (several may come with one signal).
    void columnsArrived();
    // The computation ended (done, or the file does not decode).
    void finished();

private:
    struct Job;

    void take(const std::shared_ptr<Job>& job);

    QString path_;
    std::vector<PeakPair> peaks_;
    std::vector<char> filled_;
    int arrived_ = 0;
    std::shared_ptr<Job> job_;
    std::thread thread_;
};

} // namespace trimvox
