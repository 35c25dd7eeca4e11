// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/segments/waveform_view.h"

#include "peaks/edge_snap.h"
#include "split/time_text.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace trimvox {

WaveformView::WaveformView(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("波形"));
}

void WaveformView::resetScale() {
    const long rate = peaks_ && !peaks_->empty() ? peaks_->rate() : list_.rate();
    const std::int64_t total = peaks_ && !peaks_->empty() ? peaks_->totalSamples() : list_.totalSamples();
    scale_ = ViewScale(rate, total, std::max(1, width()));
}

void WaveformView::setPeaks(std::shared_ptr<const PeakPyramid> peaks) {
    peaks_ = std::move(peaks);
    resetScale();
    emit viewChanged();
    update();
}

void WaveformView::setList(const SegmentList& list) {
    const bool newSource = list.totalSamples() != list_.totalSamples() || list.rate() != list_.rate();
    list_ = list;
    if (newSource && (!peaks_ || peaks_->empty())) {
        resetScale();
    }
    if (selected_ >= static_cast<int>(list_.size())) {
        selected_ = -1;
    }
    update();
}

void WaveformView::setSelectedSegment(int index) {
    selected_ = index;
    update();
}

void WaveformView::setPlayPosition(std::int64_t sample) {
    if (sample != play_) {
        play_ = sample;
        update();
    }
}

void WaveformView::setProposedSplits(std::vector<std::int64_t> splits) {
    proposed_ = std::move(splits);
    update();
}

void WaveformView::setSilences(std::vector<Silence> silences) {
    silences_ = std::move(silences);
}

void WaveformView::setColours(const WaveColours& colours) {
    colours_ = colours;
    update();
}

void WaveformView::zoomAroundSample(double sample, double factor) {
    zoomAroundX(scale_.xAt(sample), factor);
}

void WaveformView::zoomAroundX(double x, double factor) {
    scale_.zoomAround(x, factor);
    emit viewChanged();
    update();
}

void WaveformView::scrollToSample(double sample) {
    scale_.centreOn(sample);
    emit viewChanged();
    update();
}

void WaveformView::showRange(double start, double end) {
    scale_.showRange(start, end);
    emit viewChanged();
    update();
}

void WaveformView::clearSelection() {
    if (selection_) {
        selection_.reset();
        emit selectionChanged();
        update();
    }
}

WaveformView::EdgeHit WaveformView::edgeAt(double x) const {
    EdgeHit best;
    double bestDistance = kEdgeReach + 0.5;
    for (std::size_t i = 0; i < list_.size(); ++i) {
        for (const bool endEdge : {false, true}) {
            const double ex = scale_.xAt(static_cast<double>(endEdge ? list_[i].end : list_[i].start));
            const double distance = std::abs(ex - x);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = EdgeHit{static_cast<int>(i), endEdge};
            }
        }
    }
    return best;
}

std::int64_t WaveformView::edgeTarget(double x, bool free, std::int64_t low, std::int64_t high) const {
    std::int64_t sample = scale_.sampleIndexAt(x);
    if (!free && peaks_) {
        const double reach = kSnapReach * scale_.samplesPerPixel();
        const auto from = static_cast<std::int64_t>(static_cast<double>(sample) - reach);
        const auto to = static_cast<std::int64_t>(static_cast<double>(sample) + reach);
        // A silence's edges and middle first; where none is near, the quiet points of the peaks.
        auto snapped = NearestTarget(SnapTargets(silences_, nullptr, from, to), sample, reach);
        if (!snapped) {
            snapped = NearestTarget(SnapTargets(silences_, peaks_.get(), from, to), sample, reach);
        }
        if (snapped) {
            sample = *snapped;
        }
    }
    return std::clamp(sample, low, high);
}

void WaveformView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (scale_.showsWhole()) {
        resetScale();
    } else {
        scale_.setWidth(std::max(1, width()));
    }
    emit viewChanged();
}

void WaveformView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int w = width(), h = height();
    painter.fillRect(rect(), colours_.background);
    const double top = 16.0;
    const double mid = top + (h - top) / 2.0;
    const double half = (h - top) / 2.0 - 1.0;

    // Segments, with their numbers and titles.
    for (std::size_t i = 0; i < list_.size(); ++i) {
        const double x0 = scale_.xAt(static_cast<double>(list_[i].start));
        const double x1 = scale_.xAt(static_cast<double>(list_[i].end));
        if (x1 < 0 || x0 > w) {
            continue;
        }
        const QRectF span(QPointF(x0, 0), QPointF(x1, h));
        painter.fillRect(span, static_cast<int>(i) == selected_ ? colours_.selected : colours_.segment);
        painter.setPen(colours_.edge);
        painter.drawLine(QPointF(x0, 0), QPointF(x0, h));
        painter.drawLine(QPointF(x1, 0), QPointF(x1, h));
        painter.setPen(colours_.text);
        const QString caption =
            QString::number(i + 1) + (list_[i].title.empty()
                                          ? QString()
                                          : QStringLiteral(" ") + QString::fromStdString(list_[i].title));
        const QRectF textBox(std::max(x0, 0.0) + 3, 1,
                             std::max(0.0, std::min(x1, double(w)) - std::max(x0, 0.0) - 6), 14);
        painter.drawText(
            textBox, Qt::AlignLeft | Qt::AlignVCenter,
            painter.fontMetrics().elidedText(caption, Qt::ElideRight, static_cast<int>(textBox.width())));
    }
    if (selection_) {
        const double x0 = scale_.xAt(static_cast<double>(selection_->first));
        const double x1 = scale_.xAt(static_cast<double>(selection_->second));
        painter.fillRect(QRectF(QPointF(x0, top), QPointF(x1, h)), QColor(80, 120, 255, 60));
    }

    // The waveform: one column per pixel, its low and high from the level that suits the zoom.
    if (peaks_ && !peaks_->empty()) {
        std::vector<QLineF> columns;
        columns.reserve(static_cast<std::size_t>(w));
        const double total = static_cast<double>(peaks_->totalSamples());
        for (int x = 0; x < w; ++x) {
            const double a = scale_.sampleAt(x);
            if (a >= total) {
                break;
            }
            const SpanPeak peak = peaks_->span(a, std::min(total, scale_.sampleAt(x + 1)));
            if (peak.empty) {
                continue;
            }
            const double y0 = mid - peak.high * half / 128.0;
            const double y1 = mid - peak.low * half / 128.0;
            columns.emplace_back(x + 0.5, y0, x + 0.5, std::max(y1, y0 + 1.0));
        }
        painter.setPen(QPen(colours_.wave, 1.0));
        painter.drawLines(columns.data(), static_cast<int>(columns.size()));
    }
    painter.setPen(QPen(colours_.proposed, 1.0, Qt::DashLine));
    for (const std::int64_t split : proposed_) {
        const double x = scale_.xAt(static_cast<double>(split));
        if (x >= 0 && x <= w) {
            painter.drawLine(QPointF(x, top), QPointF(x, h));
        }
    }
    if (drag_ == Drag::Edge) {
        const double x = scale_.xAt(static_cast<double>(dragSample_));
        painter.setPen(QPen(colours_.edge, 2.0));
        painter.drawLine(QPointF(x, 0), QPointF(x, h));
    }
    const double playX = scale_.xAt(static_cast<double>(play_));
    painter.setPen(QPen(colours_.play, 1.0));
    painter.drawLine(QPointF(playX, 0), QPointF(playX, h));
    if (pointer_) {
        const QString text = QString::fromStdString(FormatTime(*pointer_, scale_.rate()));
        const double x = scale_.xAt(static_cast<double>(*pointer_));
        painter.setPen(colours_.text);
        const int tw = painter.fontMetrics().horizontalAdvance(text) + 6;
        const double tx = x + tw + 4 > w ? x - tw - 2 : x + 4;
        painter.fillRect(QRectF(tx, h - 16, tw, 15), QColor(255, 255, 255, 200));
        painter.drawText(QRectF(tx + 3, h - 16, tw, 15), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

void WaveformView::wheelEvent(QWheelEvent* event) {
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) {
        zoomAroundX(event->position().x(), std::pow(0.8, steps));
    }
    event->accept();
}

void WaveformView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return QWidget::mousePressEvent(event);
    }
    const double x = event->position().x();
    pressX_ = lastX_ = x;
    if (event->modifiers() & Qt::ControlModifier) {
        drag_ = Drag::Select;
        selectFrom_ = scale_.sampleIndexAt(x);
        selection_.reset();
        return;
    }
    const EdgeHit hit = edgeAt(x);
    if (hit.segment >= 0) {
        drag_ = Drag::Edge;
        dragEdge_ = hit;
        const Segment& s = list_[static_cast<std::size_t>(hit.segment)];
        if (hit.endEdge) {
            dragLow_ = s.start + 1;
            dragHigh_ = static_cast<std::size_t>(hit.segment) + 1 < list_.size()
                            ? list_[static_cast<std::size_t>(hit.segment) + 1].start
                            : list_.totalSamples();
            dragSample_ = s.end;
        } else {
            dragLow_ = hit.segment > 0 ? list_[static_cast<std::size_t>(hit.segment) - 1].end : 0;
            dragHigh_ = s.end - 1;
            dragSample_ = s.start;
        }
        return;
    }
    drag_ = Drag::Pending;
}

void WaveformView::mouseMoveEvent(QMouseEvent* event) {
    const double x = event->position().x();
    pointer_ = scale_.sampleIndexAt(x);
    emit pointerMoved();
    switch (drag_) {
    case Drag::Pending:
        if (std::abs(x - pressX_) > 3) {
            drag_ = Drag::Scroll;
            scale_.scrollBy(lastX_ - x);
            emit viewChanged();
        }
        break;
    case Drag::Scroll:
        scale_.scrollBy(lastX_ - x);
        emit viewChanged();
        break;
    case Drag::Edge:
        dragSample_ = edgeTarget(x, event->modifiers() & Qt::ShiftModifier, dragLow_, dragHigh_);
        break;
    case Drag::Select: {
        const std::int64_t here = scale_.sampleIndexAt(x);
        selection_ = std::make_pair(std::min(selectFrom_, here), std::max(selectFrom_, here));
        if (selection_->first == selection_->second) {
            selection_.reset();
        }
        emit selectionChanged();
        break;
    }
    case Drag::None:
        if (edgeAt(x).segment >= 0) {
            setCursor(Qt::SizeHorCursor);
        } else {
            unsetCursor();
        }
        break;
    }
    lastX_ = x;
    update();
}

void WaveformView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return QWidget::mouseReleaseEvent(event);
    }
    const double x = event->position().x();
    const Drag drag = drag_;
    drag_ = Drag::None;
    if (drag == Drag::Edge) {
        dragSample_ = edgeTarget(x, event->modifiers() & Qt::ShiftModifier, dragLow_, dragHigh_);
        emit edgeMoved(dragEdge_.segment, dragEdge_.endEdge, dragSample_);
    } else if (drag == Drag::Pending) {
        const std::int64_t sample = scale_.sampleIndexAt(x);
        emit seekRequested(sample);
        int index = -1;
        for (std::size_t i = 0; i < list_.size(); ++i) {
            if (sample >= list_[i].start && sample < list_[i].end) {
                index = static_cast<int>(i);
            }
        }
        emit segmentClicked(index);
    }
    update();
}

void WaveformView::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    pointer_.reset();
    emit pointerMoved();
    update();
}

} // namespace trimvox
