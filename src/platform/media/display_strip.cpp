#include "platform/media/display_strip.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPen>

namespace trimvox {

DisplayStrip::DisplayStrip(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
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
    if (focusFrame_) {
        painter.setPen(QPen(QColor(0x8F, 0xC8, 0xF0), 1.0, Qt::DotLine));
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }

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
