#pragma once

#include <QWidget>

namespace trimvox {

// The player's seek bar: a groove across its whole width with the played part filled and a handle at the
// position. Clicking anywhere on it seeks there; dragging moves the handle and seeks where the button is let
// go. While the user drags, positions set from outside do not move the handle.
class SeekBar : public QWidget {
    Q_OBJECT

public:
    explicit SeekBar(QWidget* parent = nullptr);

    // Length and position in milliseconds.
    void setMaximum(qint64 maximum);
    qint64 maximum() const { return maximum_; }
    void setValue(qint64 value);
    qint64 value() const { return value_; }
    bool isDragging() const { return dragging_; }

    // The value under the x coordinate of a point inside the bar.
    qint64 valueAt(int x) const;

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
    static constexpr int kHandle = 10; // the handle's width; the groove ends half of it inside the bar

    qint64 maximum_ = 0;
    qint64 value_ = 0;
    bool dragging_ = false;
};

} // namespace trimvox
