#pragma once

#include "platform/media/media_item.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QObject>
#include <QString>

namespace trimvox {

// Playback of one media file without any user interface: opens the file given as URL, reads its title and
// length at once, plays, pauses, stops and seeks, and reports the play state by the player's numbers.
// Media that cannot be played leaves the session idle (play state 0, length 0) without any message.
class MediaSession : public QObject {
    Q_OBJECT

public:
    explicit MediaSession(QObject* parent = nullptr);
    ~MediaSession() override;

    // Opens the file at `url` (a full path, or a file: URL) and plays it when `autoStart` is set. The media
    // is always opened anew, so writing the same path again plays what the file holds now. An empty text
    // closes the media and releases the file at once.
    void setURL(const QString& url);
    QString URL() const { return url_; }

    bool autoStart() const { return autoStart_; }
    void setAutoStart(bool on) { autoStart_ = on; }

    void play();
    void pause();
    void stop();

    // Seconds from the start of the media; 0 when stopped at the end or nothing is open.
    double currentPosition() const;
    // Seeks; the position is kept inside the media. A seek while the media is still opening is made as soon
    // as it is open.
    void setCurrentPosition(double seconds);

    int playState() const { return playState_; }
    const MediaItem& currentMedia() const { return media_; }

    // 0 to 100; the scale is logarithmic like a volume knob.
    int volume() const { return volume_; }
    void setVolume(int volume);
    bool mute() const;
    void setMute(bool on);

signals:
    void playStateChanged(int playState);
    void positionChanged(double seconds);
    void mediaChanged();
    void volumeChanged(int volume);
    void muteChanged(bool on);

private:
    void closeMedia();
    void fail();
    void applyPendingSeek();
    void updatePlayState();

    QMediaPlayer player_;
    QAudioOutput output_;
    QString url_;
    MediaItem media_;
    bool usable_ = false;       // a playable file is open
    double pendingSeek_ = -1.0; // seconds, or negative for none
    quint64 opened_ = 0;        // counts the URL writes
    int playState_ = 0;
    int volume_ = 50;
    bool autoStart_ = true;
};

} // namespace trimvox
