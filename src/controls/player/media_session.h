// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/player/length_walk.h"
#include "controls/player/media_item.h"
#include "controls/player/playback_watch.h"

#include <QElapsedTimer>
#include <QMediaPlayer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <string>

class QAudioOutput;

namespace trimvox {

// Playback of one media file without any user interface: opens the file given as URL, reads its title and
// length at once (a large file whose header does not count its frames gets its true length from them in
// the background, then durationChanged), plays, pauses, stops and seeks, and reports the play state by the
// player's numbers. Media that cannot be played leaves the session idle (play state 0, length 0) without any
// message.
//
// Every URL write opens the media in a fresh backend player: a backend player that is given one source after
// another sometimes never starts or ends at once. Where the backend still reports an end of the media long
// before it could have been played, or stops moving while it says it plays, the session opens the media anew
// and goes on from where playback must be.
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
    // Seeks; the position is kept inside the media. A seek that the backend cannot make yet (while the media
    // opens, or before it knows the length) is made as soon as it can.
    void setCurrentPosition(double seconds);

    int playState() const { return playState_; }
    const MediaItem& currentMedia() const { return media_; }

    // 0 to 100; the scale is logarithmic like a volume knob.
    int volume() const { return volume_; }
    void setVolume(int volume);
    bool mute() const { return mute_; }
    void setMute(bool on);

    // How often the media was opened anew after a glitch of the backend, since the last URL write.
    int recoveries() const { return recoveries_; }

signals:
    void playStateChanged(int playState);
    void positionChanged(double seconds);
    void mediaChanged();
    // The open media's length became known later (walked from its frames in the background).
    void durationChanged(double seconds);
    void volumeChanged(int volume);
    void muteChanged(bool on);

private:
    static constexpr int kMaxRecoveries = 5;

    void openBackend();
    // Releases the backend's file at once, or, from inside the backend's own signals, right after them.
    void closeBackend(bool now);
    void fail();
    void recover(double position);
    void onStatus(QMediaPlayer::MediaStatus status);
    void onPosition(qint64 ms);
    void checkStall();
    bool canSeek() const;
    void checkAudio();
    void applyPendingSeek();
    void applyVolume();
    void updatePlayState();
    std::int64_t now() const { return clock_.elapsed(); }

    QString url_;
    QString path_;          // the opened file's full path, as a path text (common/path_text.h)
    std::string pathBytes_; // the same path's bytes
    MediaItem media_;
    QMediaPlayer* player_ = nullptr; // the backend; null when nothing playable is open
    QAudioOutput* output_ = nullptr;
    double pendingSeek_ = -1.0; // seconds, or negative for none
    PlaybackWatch watch_;
    QElapsedTimer clock_;
    QTimer stallTimer_;
    int recoveries_ = 0;
    int playState_ = 0;
    qint64 lastPlayingPositionMs_ = -1; // the position when playback last started, to see it move
    bool moving_ = false;               // the position moved since playback started
    int volume_ = 50;
    bool mute_ = false;
    bool autoStart_ = true;
    LengthWalk lengthWalk_; // the true length of a large file whose header does not give it
};

} // namespace trimvox
