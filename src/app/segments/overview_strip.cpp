// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/segments/overview_strip.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace trimvox {

OverviewStrip::OverviewStrip(QWidget* parent) : QWidget(parent) {
    setAccessibleName(QStringLiteral("全曲概览"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

double OverviewStrip::total() const {
    if (peaks_ && !peaks_->empty()) {
        return static_cast<double>(peaks_->totalSamples());
    }
    return static_cast<double>(std::max<std::int64_t>(list_.totalSamples(), 1));
}

double OverviewStrip::xAt(double sample) const {
    return sample / total() * width();
}

void OverviewStrip::setPeaks(std::shared_ptr<const PeakPyramid> peaks) {
    peaks_ = std::move(peaks);
    render();
    update();
}

void OverviewStrip::setList(const SegmentList& list) {
    list_ = list;
    update();
}

void OverviewStrip::setVisibleRange(double first, double last) {
    first_ = first;
    last_ = last;
    update();
}

void OverviewStrip::setPlayPosition(std::int64_t sample) {
    if (sample != play_) {
        play_ = sample;
        update();
    }
}

void OverviewStrip::setColours(const WaveColours& colours) {
    colours_ = colours;
    render();
    update();
}

void OverviewStrip::render() {
    wave_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_ARGB32_Premultiplied);
    wave_.fill(Qt::transparent);
    if (!peaks_ || peaks_->empty()) {
        return;
    }
    QPainter painter(&wave_);
    painter.setPen(colours_.wave);
    const double mid = height() / 2.0, half = height() / 2.0 - 1;
    const double perPixel = total() / width();
    for (int x = 0; x < width(); ++x) {
        const SpanPeak peak = peaks_->span(x * perPixel, (x + 1) * perPixel);
        if (!peak.empty) {
            painter.drawLine(QPointF(x + 0.5, mid - peak.high * half / 128.0),
                             QPointF(x + 0.5, mid - peak.low * half / 128.0 + 1.0));
        }
    }
}

void OverviewStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    render();
}

void OverviewStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), colours_.background);
    for (std::size_t i = 0; i < list_.size(); ++i) {
        painter.fillRect(QRectF(QPointF(xAt(static_cast<double>(list_[i].start)), 0),
                                QPointF(xAt(static_cast<double>(list_[i].end)), height())),
                         colours_.segment);
    }
    painter.drawImage(0, 0, wave_);
    const QRectF visible(QPointF(xAt(first_), 0),
                         QPointF(std::max(xAt(last_), xAt(first_) + 2), height() - 1));
    painter.fillRect(visible, QColor(0, 0, 0, 30));
    painter.setPen(QPen(colours_.text, 1.0));
    painter.drawRect(visible);
    painter.setPen(colours_.play);
    const double px = xAt(static_cast<double>(play_));
    painter.drawLine(QPointF(px, 0), QPointF(px, height()));
}

void OverviewStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit centreRequested(std::clamp(event->position().x(), 0.0, double(width())) / width() * total());
    }
}

void OverviewStrip::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() & Qt::LeftButton) {
        emit centreRequested(std::clamp(event->position().x(), 0.0, double(width())) / width() * total());
    }
}

} // namespace trimvox
