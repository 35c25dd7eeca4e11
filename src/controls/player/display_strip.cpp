// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/display_strip.h"

#include "controls/player/waveform_loader.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace trimvox {

DisplayStrip::DisplayStrip(QWidget* parent) : QWidget(parent), waveform_(new WaveformLoader(this)) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(waveform_, &WaveformLoader::columnsArrived, this, qOverload<>(&QWidget::update));
}

DisplayStrip::~DisplayStrip() = default;

void DisplayStrip::showWaveformOf(const QString& path, double duration) {
    if (path == waveform_->path() && duration == duration_ && waveform_->columnCount() == width()) {
        return;
    }
    duration_ = path.isEmpty() ? 0.0 : std::max(duration, 0.0);
    waveform_->start(path, width(), duration_);
    update();
}

void DisplayStrip::setPosition(double seconds) {
    const int before = xOf(position_);
    position_ = seconds;
    if (xOf(position_) != before) {
        update();
    }
}

void DisplayStrip::setMarks(std::optional<double> start, std::optional<double> end) {
    if (start != start_ || end != end_) {
        start_ = start;
        end_ = end;
        update();
    }
}

int DisplayStrip::xOf(double seconds) const {
    if (!(duration_ > 0.0) || width() <= 0) {
        return 0;
    }
    const double x = std::floor(seconds / duration_ * width());
    return static_cast<int>(std::clamp(x, 0.0, width() - 1.0));
}

void DisplayStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!waveform_->path().isEmpty() && waveform_->columnCount() != width()) {
        waveform_->start(waveform_->path(), width(), duration_); // one pair per pixel column again
    }
}

void DisplayStrip::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || waveform_->isEmpty() || !(duration_ > 0.0) || width() <= 0) {
        event->ignore();
        return;
    }
    const double x = std::clamp(event->position().x(), 0.0, width() - 1.0);
    emit seekRequested(std::clamp((std::floor(x) + 0.5) / width() * duration_, 0.0, duration_));
}

void DisplayStrip::setTitle(const QString& title) {
    if (title != title_) {
        title_ = title;
        update();
    }
}

void DisplayStrip::setStatus(const QString& status) {
    if (status != status_) {
        status_ = status;
        update();
    }
}

void DisplayStrip::setRightMargin(int pixels) {
    rightMargin_ = pixels;
    update();
}

void DisplayStrip::setFocusFrame(bool on) {
    if (on != focusFrame_) {
        focusFrame_ = on;
        update();
    }
}

void DisplayStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QLinearGradient background(0, 0, 0, height());
    background.setColorAt(0.0, QColor(0x22, 0x2B, 0x36));
    background.setColorAt(1.0, QColor(0x0B, 0x10, 0x16));
    painter.fillRect(rect(), background);
    paintWaveform(painter);
    if (focusFrame_) {
        painter.setPen(QPen(QColor(0x8F, 0xC8, 0xF0), 1.0, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
    paintText(painter);
}

void DisplayStrip::paintWaveform(QPainter& painter) {
    if (!(duration_ > 0.0)) {
        return;
    }
    const int h = height();
    const double middle = (h - 1) / 2.0;
    const double half = std::max((h - 4) / 2.0, 0.0);
    const int columns = std::min(waveform_->columnCount(), width());
    for (int x = 0; x < columns; ++x) {
        if (!waveform_->hasColumn(x)) {
            continue;
        }
        const PeakPair peak = waveform_->column(x);
        const int top = static_cast<int>(std::lround(middle - std::clamp(peak.high, -1.0f, 1.0f) * half));
        const int bottom = static_cast<int>(std::lround(middle - std::clamp(peak.low, -1.0f, 1.0f) * half));
        painter.fillRect(QRect(x, std::min(top, bottom), 1, std::abs(bottom - top) + 1),
                         QColor(kWaveformColour));
    }
    if (start_ && end_ && *end_ > *start_) {
        const int left = xOf(*start_);
        painter.fillRect(QRect(left, 0, xOf(*end_) - left + 1, h), QColor(0x8F, 0xC8, 0xF0, 48));
    }
    painter.fillRect(QRect(xOf(position_), 0, 1, h), QColor(kPositionColour));
    if (start_) {
        paintMark(painter, xOf(*start_), kStartMarkColour, 1);
    }
    if (end_) {
        paintMark(painter, xOf(*end_), kEndMarkColour, -1);
    }
}

void DisplayStrip::paintMark(QPainter& painter, int x, QRgb colour, int inward) const {
    // A line with a flag at its top and bottom that points into the marked span, so that a mark at either
    // end of the strip, where its line is the strip's edge, still shows.
    constexpr int kFlag = 5;
    const int h = height();
    painter.fillRect(QRect(x, 0, 1, h), QColor(colour));
    for (int row = 0; row < kFlag; ++row) {
        const int reach = kFlag - row; // pixels beside the line
        const int left = inward > 0 ? x + 1 : x - reach;
        painter.fillRect(QRect(left, row, reach, 1), QColor(colour));
        painter.fillRect(QRect(left, h - 1 - row, reach, 1), QColor(colour));
    }
}

void DisplayStrip::paintText(QPainter& painter) {
    const int left = 8;
    const int textWidth = width() - left - rightMargin_ - 4;
    if (textWidth <= 0) {
        return;
    }
    QFont titleFont = font();
    titleFont.setBold(true);
    const QFontMetrics titleMetrics(titleFont);
    const QFontMetrics statusMetrics(font());
    const int lineGap = 2;
    const int block = titleMetrics.height() + lineGap + statusMetrics.height();
    // Both lines centred as one block; the status line is dropped when the strip is too low for two.
    const bool twoLines = block <= height() - 4;
    int top = twoLines ? (height() - block) / 2 : (height() - titleMetrics.height()) / 2;

    painter.setFont(titleFont);
    painter.setPen(QColor(0xE8, 0xF1, 0xFA));
    painter.drawText(QRect(left, top, textWidth, titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(title_, Qt::ElideRight, textWidth));
    if (twoLines) {
        top += titleMetrics.height() + lineGap;
        painter.setFont(font());
        painter.setPen(QColor(0x8F, 0xC8, 0xF0));
        painter.drawText(QRect(left, top, textWidth, statusMetrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter,
                         statusMetrics.elidedText(status_, Qt::ElideRight, textWidth));
    }
}

} // namespace trimvox
