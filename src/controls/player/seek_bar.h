// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>
#include <QWidget>

#include <optional>

namespace trimvox {

// The player's seek bar: a groove across its whole width with the played part filled and a handle at the
// position. Clicking anywhere on it seeks there; dragging moves the handle and seeks where the button is let
// go. While the user drags, positions set from outside do not move the handle. Small markers show the start
// and end marks, whichever comes first.
class SeekBar : public QWidget {
    Q_OBJECT

public:
    static constexpr QRgb kStartMarkColour = qRgb(0x1E, 0x9E, 0x3C);
    static constexpr QRgb kEndMarkColour = qRgb(0xD8, 0x2C, 0x2C);

    explicit SeekBar(QWidget* parent = nullptr);

    // Length and position in milliseconds.
    void setMaximum(qint64 maximum);
    qint64 maximum() const { return maximum_; }
    void setValue(qint64 value);
    qint64 value() const { return value_; }
    bool isDragging() const { return dragging_; }

    // The value under the x coordinate of a point inside the bar.
    qint64 valueAt(int x) const;
    // The x where a value lies on the groove.
    int xOf(qint64 value) const;
    // The marks in milliseconds; marks that are not set show no marker.
    void setMarks(std::optional<qint64> start, std::optional<qint64> end);

    QSize sizeHint() const override;

signals:
    // The user asks to play from this position (milliseconds).
    void seekRequested(qint64 value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintMarker(QPainter& painter, qint64 value, QRgb colour) const;

    static constexpr int kHandle = 10; // the handle's width; the groove ends half of it inside the bar

    qint64 maximum_ = 0;
    qint64 value_ = 0;
    bool dragging_ = false;
    std::optional<qint64> start_;
    std::optional<qint64> end_;
};

} // namespace trimvox
