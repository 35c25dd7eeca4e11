// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/seek_bar.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace trimvox {

SeekBar::SeekBar(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::PointingHandCursor);
}

void SeekBar::setMaximum(qint64 maximum) {
    maximum_ = std::max<qint64>(maximum, 0);
    value_ = std::clamp<qint64>(value_, 0, maximum_);
    update();
}

void SeekBar::setValue(qint64 value) {
    if (dragging_) {
        return;
    }
    value = std::clamp<qint64>(value, 0, maximum_);
    if (value != value_) {
        value_ = value;
        update();
    }
}

qint64 SeekBar::valueAt(int x) const {
    const int span = width() - kHandle;
    if (span <= 0 || maximum_ <= 0) {
        return 0;
    }
    const double fraction = std::clamp((x - kHandle / 2) / static_cast<double>(span), 0.0, 1.0);
    return static_cast<qint64>(fraction * maximum_ + 0.5);
}

int SeekBar::xOf(qint64 value) const {
    const int span = std::max(width() - kHandle, 0);
    const double fraction = maximum_ > 0 ? std::clamp(static_cast<double>(value) / maximum_, 0.0, 1.0) : 0.0;
    return static_cast<int>(std::lround(kHandle / 2.0 + fraction * span));
}

void SeekBar::setMarks(std::optional<qint64> start, std::optional<qint64> end) {
    if (start != start_ || end != end_) {
        start_ = start;
        end_ = end;
        update();
    }
}

void SeekBar::paintMarker(QPainter& painter, qint64 value, QRgb colour) const {
    // A line across the bar with a small triangle at its top, pointing at the groove.
    const int x = xOf(value);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(x, 0, 1, height()), QColor(colour));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(colour));
    const QPoint triangle[] = {{x - 3, 0}, {x + 3, 0}, {x, 3}};
    painter.drawPolygon(triangle, 3);
    painter.restore();
}

QSize SeekBar::sizeHint() const {
    return {200, 14};
}

void SeekBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& colours = palette();
    const int span = width() - kHandle;
    const double fraction = maximum_ > 0 ? static_cast<double>(value_) / maximum_ : 0.0;
    const double handleX = kHandle / 2.0 + fraction * std::max(span, 0);

    const QRectF groove(kHandle / 2.0, height() / 2.0 - 2.0, std::max(span, 0), 4.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colours.color(QPalette::Mid));
    painter.drawRoundedRect(groove, 2.0, 2.0);
    if (isEnabled() && maximum_ > 0) {
        painter.setBrush(colours.color(QPalette::Highlight));
        painter.drawRoundedRect(QRectF(groove.left(), groove.top(), handleX - groove.left(), groove.height()),
                                2.0, 2.0);
        if (start_) {
            paintMarker(painter, *start_, kStartMarkColour);
        }
        if (end_) {
            paintMarker(painter, *end_, kEndMarkColour);
        }
        painter.setPen(colours.color(QPalette::Dark));
        painter.setBrush(colours.color(QPalette::Button));
        painter.drawEllipse(QPointF(handleX, height() / 2.0), kHandle / 2.0 - 0.5, kHandle / 2.0 - 0.5);
    }
}

void SeekBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || maximum_ <= 0) {
        event->ignore();
        return;
    }
    value_ = valueAt(event->position().toPoint().x());
    dragging_ = true;
    update();
    emit seekRequested(value_);
}

void SeekBar::mouseMoveEvent(QMouseEvent* event) {
    if (!dragging_) {
        return;
    }
    value_ = valueAt(event->position().toPoint().x());
    update();
}

void SeekBar::mouseReleaseEvent(QMouseEvent* event) {
    if (!dragging_ || event->button() != Qt::LeftButton) {
        return;
    }
    value_ = valueAt(event->position().toPoint().x());
    dragging_ = false;
    update();
    emit seekRequested(value_);
}

} // namespace trimvox
