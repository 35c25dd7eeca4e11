// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mp3/waveform_peaks.h"

#include <QObject>
#include <QString>

#include <memory>
#include <thread>

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
    int columnCount() const;
    // Whether a column has been computed; a column that has not reads as silence.
    bool hasColumn(int column) const;
    PeakPair column(int column) const;
    // Whether no column has been announced by columnsArrived yet.
    bool isEmpty() const { return arrived_ == 0; }
    // Whether the computation is still under way.
    bool isBusy() const;
    // The bytes that the kept peaks take.
    std::size_t peakBytes() const;

signals:
    // New columns arrived (several may come with one signal).
    void columnsArrived();
    // The computation ended (done, or the file does not decode).
    void finished();

private:
    struct Job;

    void take(const std::shared_ptr<Job>& job);

    QString path_;
    int arrived_ = 0; // columns announced
    std::shared_ptr<Job> job_;
    std::thread thread_;
};

} // namespace trimvox
