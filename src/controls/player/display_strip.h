// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRgb>
#include <QString>
#include <QWidget>

#include <optional>

namespace trimvox {

class WaveformLoader;

// The player's display: a dark strip with the media's title on its first line and what the player is doing
// on its second. Texts too long for the strip end in an ellipsis.
// Behind the texts it shows the waveform of the open file (one min/max pair per pixel column, filled in as
// it is computed), with the play position, the start and end marks as lines with flags pointing into the
// marked span (also seen at the strip's very ends) and the marked span shaded.
// A click on the waveform asks to play from there; dragging does nothing more.
class DisplayStrip : public QWidget {
    Q_OBJECT

public:
    // The colours of what is drawn over the background, for those who check the pixels.
    static constexpr QRgb kWaveformColour = qRgb(0x3B, 0x6F, 0x93);
    static constexpr QRgb kPositionColour = qRgb(0xF2, 0xF2, 0xF2);
    static constexpr QRgb kStartMarkColour = qRgb(0x4C, 0xD9, 0x64);
    static constexpr QRgb kEndMarkColour = qRgb(0xFF, 0x5A, 0x5A);

    explicit DisplayStrip(QWidget* parent = nullptr);
    ~DisplayStrip() override;

    void setTitle(const QString& title);
    QString title() const { return title_; }
    void setStatus(const QString& status);
    QString status() const { return status_; }
    // Keeps the text clear of this many pixels at the strip's right end (where other controls lie).
    void setRightMargin(int pixels);
    // Frames the strip to show that the player has the keyboard focus.
    void setFocusFrame(bool on);
    bool focusFrame() const { return focusFrame_; }

    // Computes and shows the waveform of the MP3 file at `path`, `duration` seconds long, across the strip's
    // width; an empty path or no length shows none. The same file again keeps what is shown.
    void showWaveformOf(const QString& path, double duration);
    const WaveformLoader& waveform() const { return *waveform_; }
    // The play position and the marks, in seconds; marks that are not set are not drawn.
    void setPosition(double seconds);
    void setMarks(std::optional<double> start, std::optional<double> end);
    // The x of a time on the waveform.
    int xOf(double seconds) const;

signals:
    // The user clicked the waveform: play from this position (seconds).
    void seekRequested(double seconds);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void paintWaveform(QPainter& painter);
    // A mark's line at column x, its flags pointing right (inward 1) or left (-1).
    void paintMark(QPainter& painter, int x, QRgb colour, int inward) const;
    void paintText(QPainter& painter);

    QString title_;
    QString status_;
    int rightMargin_ = 0;
    bool focusFrame_ = false;
    WaveformLoader* waveform_;
    double duration_ = 0.0;
    double position_ = 0.0;
    std::optional<double> start_;
    std::optional<double> end_;
};

} // namespace trimvox
