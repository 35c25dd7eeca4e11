// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/segments/waveform_view.h"

#include <QImage>
#include <QWidget>
#include <memory>

namespace trimvox {

// The whole file in one strip: its waveform, the segments, the play position and the stretch the detail
// view shows. A click or a drag centres the detail view there.
class OverviewStrip : public QWidget {
    Q_OBJECT

public:
    explicit OverviewStrip(QWidget* parent = nullptr);

    void setPeaks(std::shared_ptr<const PeakPyramid> peaks);
    void setList(const SegmentList& list);
    void setVisibleRange(double first, double last);
    void setPlayPosition(std::int64_t sample);
    void setColours(const WaveColours& colours);

    QSize sizeHint() const override { return {800, 48}; }
    QSize minimumSizeHint() const override { return {200, 32}; }

signals:
    void centreRequested(double sample);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    double total() const;
    double xAt(double sample) const;
    void render();

    std::shared_ptr<const PeakPyramid> peaks_;
    SegmentList list_;
    WaveColours colours_;
    QImage wave_; // the waveform at this width, drawn once
    double first_ = 0, last_ = 0;
    std::int64_t play_ = 0;
};

} // namespace trimvox
