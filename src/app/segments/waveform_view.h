// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "peaks/peak_pyramid.h"
#include "peaks/view_scale.h"
#include "split/segment_list.h"
#include "split/silence_detector.h"

#include <QColor>
#include <QWidget>
#include <memory>
#include <optional>
#include <vector>

namespace trimvox {

// The colours of the waveform views (the skin's, where it has them).
struct WaveColours {
    QColor background{250, 250, 250};
    QColor wave{40, 90, 160};
    QColor segment{255, 190, 80, 70};
    QColor selected{255, 150, 30, 120};
    QColor edge{200, 110, 0};
    QColor play{220, 30, 30};
    QColor text{30, 30, 30};
    QColor proposed{0, 150, 0};
};

// The zoomable detail view: the waveform of the visible stretch, each segment as a shaded span with its
// number and title, the play position, the splits a silence search proposes, and the pointer's time.
//   wheel            zooms around the pointer (from the whole file down to ViewScale's finest)
//   drag             scrolls; a click seeks (and selects the segment under it)
//   drag an edge     moves a segment's edge, drawn to the nearest silence or quiet point within a few pixels
//                    (Shift: freely); the edge stops at the neighbouring segments
//   Ctrl+drag        selects a stretch (for "add")
class WaveformView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kEdgeReach = 5; // pixels within which a press takes an edge
    static constexpr int kSnapReach = 8; // pixels within which an edge is drawn to a target

    explicit WaveformView(QWidget* parent = nullptr);

    void setPeaks(std::shared_ptr<const PeakPyramid> peaks);
    void setList(const SegmentList& list);
    void setSelectedSegment(int index);
    void setPlayPosition(std::int64_t sample);
    void setProposedSplits(std::vector<std::int64_t> splits);
    void setSilences(std::vector<Silence> silences);
    void setColours(const WaveColours& colours);

    const ViewScale& scale() const { return scale_; }
    void zoomAroundSample(double sample, double factor);
    void zoomAroundX(double x, double factor);
    void scrollToSample(double sample); // centres it
    void showRange(double start, double end);

    std::optional<std::pair<std::int64_t, std::int64_t>> selection() const { return selection_; }
    void clearSelection();
    std::optional<std::int64_t> pointerSample() const { return pointer_; }

    // Where a dragged edge lands for the pointer at `x` (snapping unless `free`), inside [low, high].
    std::int64_t edgeTarget(double x, bool free, std::int64_t low, std::int64_t high) const;

    QSize sizeHint() const override { return {800, 220}; }
    QSize minimumSizeHint() const override { return {200, 80}; }

signals:
    void seekRequested(std::int64_t sample);
    void segmentClicked(int index);
    void edgeMoved(int segment, bool endEdge, std::int64_t sample);
    void viewChanged();
    void pointerMoved();
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    enum class Drag { None, Pending, Scroll, Edge, Select };
    struct EdgeHit {
        int segment = -1;
        bool endEdge = false;
    };
    EdgeHit edgeAt(double x) const;
    void resetScale();

    std::shared_ptr<const PeakPyramid> peaks_;
    SegmentList list_;
    ViewScale scale_;
    WaveColours colours_;
    int selected_ = -1;
    std::int64_t play_ = 0;
    std::vector<std::int64_t> proposed_;
    std::vector<Silence> silences_;
    std::optional<std::int64_t> pointer_;
    std::optional<std::pair<std::int64_t, std::int64_t>> selection_;

    Drag drag_ = Drag::None;
    double pressX_ = 0;
    double lastX_ = 0;
    EdgeHit dragEdge_;
    std::int64_t dragSample_ = 0;
    std::int64_t dragLow_ = 0, dragHigh_ = 0;
    std::int64_t selectFrom_ = 0;
};

} // namespace trimvox
