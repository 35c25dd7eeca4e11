#include "platform/media/media_session.h"

#include "platform/media/play_state.h"

#include <QAudio>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace trimvox {

namespace {

QString LocalPath(const QString& url) {
    if (url.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        return QUrl(url).toLocalFile();
    }
    return url;
}

bool IsLoaded(QMediaPlayer::MediaStatus status) {
    return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferingMedia ||
           status == QMediaPlayer::BufferedMedia || status == QMediaPlayer::StalledMedia ||
           status == QMediaPlayer::EndOfMedia;
}

} // namespace

MediaSession::MediaSession(QObject* parent) : QObject(parent) {
    player_.setAudioOutput(&output_);
    setVolume(volume_);
    connect(&player_, &QMediaPlayer::playbackStateChanged, this, &MediaSession::updatePlayState);
    connect(&player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia) {
            fail();
            return;
        }
        if (IsLoaded(status)) {
            applyPendingSeek();
        }
        updatePlayState();
    });
    connect(&player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error) {
        if (error != QMediaPlayer::NoError) {
            fail();
        }
    });
    connect(&player_, &QMediaPlayer::seekableChanged, this, &MediaSession::applyPendingSeek);
    connect(&player_, &QMediaPlayer::positionChanged, this,
            [this] { emit positionChanged(currentPosition()); });
}

MediaSession::~MediaSession() {
    player_.disconnect(this);
    player_.stop();
}

void MediaSession::setURL(const QString& url) {
    closeMedia();
    ++opened_;
    url_ = url;
    if (url.isEmpty()) {
        media_ = MediaItem();
    } else {
        const QString path = QFileInfo(LocalPath(url)).absoluteFilePath();
        const MediaInfo info = ReadMediaInfo(path.toStdU16String());
        media_ = MediaItem(path, info);
        usable_ = info.playable;
        if (usable_) {
            player_.setSource(QUrl::fromLocalFile(path));
        }
    }
    emit mediaChanged();
    updatePlayState();
    if (usable_ && autoStart_) {
        play();
    }
}

void MediaSession::closeMedia() {
    usable_ = false;
    pendingSeek_ = -1.0;
    // Stopping keeps the file open; only an empty source closes it, and only a fresh source reloads it.
    player_.stop();
    player_.setSource(QUrl());
}

void MediaSession::fail() {
    if (!usable_) {
        return;
    }
    usable_ = false;
    pendingSeek_ = -1.0;
    media_.markUnplayable();
    emit mediaChanged();
    updatePlayState();
    // The backend reports errors from inside its own message handling: close the media once that is done,
    // unless other media has been opened in the meantime.
    const quint64 opened = opened_;
    QMetaObject::invokeMethod(
        this,
        [this, opened] {
            if (opened == opened_) {
                closeMedia();
            }
        },
        Qt::QueuedConnection);
}

void MediaSession::play() {
    if (!usable_) {
        return;
    }
    player_.play();
    applyPendingSeek();
    updatePlayState();
}

void MediaSession::pause() {
    if (!usable_ || player_.playbackState() != QMediaPlayer::PlayingState) {
        return;
    }
    player_.pause();
    updatePlayState();
}

void MediaSession::stop() {
    if (!usable_) {
        return;
    }
    pendingSeek_ = -1.0;
    player_.stop();
    updatePlayState();
}

double MediaSession::currentPosition() const {
    if (!usable_) {
        return 0.0;
    }
    if (pendingSeek_ >= 0.0) {
        return pendingSeek_;
    }
    if (player_.mediaStatus() == QMediaPlayer::EndOfMedia) {
        return 0.0;
    }
    return player_.position() / 1000.0;
}

void MediaSession::setCurrentPosition(double seconds) {
    if (!usable_ || !std::isfinite(seconds)) {
        return;
    }
    seconds = std::clamp(seconds, 0.0, std::max(media_.duration(), 0.0));
    pendingSeek_ = seconds;
    applyPendingSeek();
    emit positionChanged(currentPosition());
}

void MediaSession::applyPendingSeek() {
    // A seek made while the media is still opening is lost, so it waits until the media is open.
    if (pendingSeek_ < 0.0 || !IsLoaded(player_.mediaStatus()) || !player_.isSeekable()) {
        return;
    }
    const auto ms = static_cast<qint64>(std::llround(pendingSeek_ * 1000.0));
    pendingSeek_ = -1.0;
    player_.setPosition(ms);
}

void MediaSession::setVolume(int volume) {
    volume = std::clamp(volume, 0, 100);
    output_.setVolume(static_cast<float>(
        QAudio::convertVolume(volume / 100.0, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale)));
    if (volume != volume_) {
        volume_ = volume;
        emit volumeChanged(volume_);
    }
}

bool MediaSession::mute() const {
    return output_.isMuted();
}

void MediaSession::setMute(bool on) {
    if (on != output_.isMuted()) {
        output_.setMuted(on);
        emit muteChanged(on);
    }
}

void MediaSession::updatePlayState() {
    const int state = PlayStateOf(player_.playbackState(), player_.mediaStatus(), usable_);
    if (state != playState_) {
        playState_ = state;
        emit playStateChanged(playState_);
    }
}

} // namespace trimvox
