#pragma once

#include <QString>
#include <QWidget>

namespace trimvox {

// The player's display: a dark strip with the media's title on its first line and what the player is doing
// on its second. Texts too long for the strip end in an ellipsis.
class DisplayStrip : public QWidget {
    Q_OBJECT

public:
    explicit DisplayStrip(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    QString title() const { return title_; }
    void setStatus(const QString& status);
    QString status() const { return status_; }
    // Keeps the text clear of this many pixels at the strip's right end (where other controls lie).
    void setRightMargin(int pixels);
    // Frames the strip to show that the player has the keyboard focus.
    void setFocusFrame(bool on);
    bool focusFrame() const { return focusFrame_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    QString status_;
    int rightMargin_ = 0;
    bool focusFrame_ = false;
};

} // namespace trimvox
