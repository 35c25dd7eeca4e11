// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/player/media_controls.h"
#include "controls/player/media_item.h"
#include "controls/player/media_session.h"

#include <QString>
#include <QWidget>

#include <optional>

class QLabel;
class QSlider;
class QToolButton;

namespace trimvox {

class DisplayStrip;
class SeekBar;

// The media player a window embeds: playback of one file with the player's own complete user interface
// (display strip, seek bar across the whole width, play/pause and stop, the time, volume and mute).
// The transport buttons and the time sit at the lower left; the lower right stays free for the host's own
// buttons, which may lie over it. Space plays and pauses while the player has the focus.
// The display strip shows the file's waveform with the play position and the host's marks, which the seek
// bar shows too; a click on the waveform seeks there.
// It shows no messages: media that cannot be played leaves it idle.
class MediaPlayer : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString URL READ URL WRITE setURL)
    Q_PROPERTY(int playState READ playState NOTIFY playStateChange)
    Q_PROPERTY(QString uiMode READ uiMode CONSTANT)
    Q_PROPERTY(bool autoStart READ autoStart WRITE setAutoStart)
    Q_PROPERTY(int volume READ volume WRITE setVolume)
    Q_PROPERTY(bool mute READ mute WRITE setMute)
    Q_PROPERTY(double rate READ rate CONSTANT)
    Q_PROPERTY(int balance READ balance CONSTANT)
    Q_PROPERTY(int playCount READ playCount CONSTANT)
    Q_PROPERTY(bool invokeURLs READ invokeURLs CONSTANT)
    Q_PROPERTY(bool enableContextMenu READ enableContextMenu CONSTANT)
    Q_PROPERTY(bool enableErrorDialogs READ enableErrorDialogs CONSTANT)
    Q_PROPERTY(bool stretchToFit READ stretchToFit CONSTANT)
    Q_PROPERTY(bool windowlessVideo READ windowlessVideo CONSTANT)
    Q_PROPERTY(bool fullScreen READ fullScreen CONSTANT)

public:
    explicit MediaPlayer(QWidget* parent = nullptr);
    ~MediaPlayer() override;

    // The full path of the file to play (it opens and, with autoStart, plays); an empty text closes the media
    // and releases the file. `currentMedia` is ready when this returns.
    void setURL(const QString& url);
    QString URL() const { return session_.URL(); }

    MediaControls& controls() { return controls_; }
    const MediaControls& controls() const { return controls_; }
    const MediaItem& currentMedia() const { return session_.currentMedia(); }
    // 0 undefined (nothing open, or media that cannot be played), 1 stopped, 2 paused, 3 playing,
    // 6 buffering, 9 opening.
    int playState() const { return session_.playState(); }

    QString uiMode() const { return QStringLiteral("full"); }
    bool autoStart() const { return session_.autoStart(); }
    void setAutoStart(bool on) { session_.setAutoStart(on); }
    int volume() const { return session_.volume(); }
    void setVolume(int volume) { session_.setVolume(volume); }
    bool mute() const { return session_.mute(); }
    void setMute(bool on) { session_.setMute(on); }
    double rate() const { return 1.0; }
    int balance() const { return 0; }
    int playCount() const { return 1; }
    bool invokeURLs() const { return true; }
    bool enableContextMenu() const { return true; }
    bool enableErrorDialogs() const { return false; }
    bool stretchToFit() const { return false; }
    bool windowlessVideo() const { return false; }
    bool fullScreen() const { return false; }

    // The host's start and end marks (seconds), shown on the waveform and the seek bar until cleared or until
    // other media is opened.
    void setStartMark(double seconds);
    void setEndMark(double seconds);
    void clearMarks();
    std::optional<double> startMark() const { return startMark_; }
    std::optional<double> endMark() const { return endMark_; }

    QSize sizeHint() const override;

signals:
    void playStateChange(int newState);
    // currentMedia's length became known after the URL was set (see MediaSession::durationChanged).
    void durationChange(double seconds);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void togglePlay();
    void layoutControls();
    void showMedia();
    void showDuration();
    void showPlayState();
    void showPosition();
    void showMarks();

    MediaSession session_;
    MediaControls controls_{session_};
    DisplayStrip* display_;
    SeekBar* seekBar_;
    QToolButton* playButton_;
    QToolButton* stopButton_;
    QLabel* time_;
    QToolButton* muteButton_;
    QSlider* volumeSlider_;
    std::optional<double> startMark_;
    std::optional<double> endMark_;
};

} // namespace trimvox
