// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/media_session.h"

#include "common/path_text.h"
#include "controls/player/media_backend.h"
#include "controls/player/offset_file_device.h"
#include "controls/player/play_state.h"
#include "mp3/frame_sync.h"

#include <QAudio>
#include <QAudioOutput>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

namespace trimvox {

namespace {

// The bytes of the file that `url` names (file names are bytes: a path text keeps those that are not UTF-8,
// see common/path_text.h), made absolute.
std::string LocalPathBytes(const QString& url) {
    std::string bytes;
    if (url.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
        bytes = QByteArray::fromPercentEncoding(QUrl(url).path(QUrl::FullyEncoded).toLatin1()).toStdString();
    } else {
        bytes = PathBytes(url.toStdU16String());
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(bytes, error);
    return error ? bytes : absolute.lexically_normal().string();
}

bool IsLoaded(QMediaPlayer::MediaStatus status) {
    return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferingMedia ||
           status == QMediaPlayer::BufferedMedia || status == QMediaPlayer::StalledMedia ||
           status == QMediaPlayer::EndOfMedia;
}

// The byte where the file's audio starts (see FindAudioStart), from its first 64 KiB.
qint64 AudioStart(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return 0;
    }
    std::string head(64 * 1024, '\0');
    file.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
    return static_cast<qint64>(
        FindAudioStart(reinterpret_cast<const std::uint8_t*>(head.data()), head.size()));
}

} // namespace

MediaSession::MediaSession(QObject* parent) : QObject(parent) {
    clock_.start();
    stallTimer_.setInterval(250);
    connect(&stallTimer_, &QTimer::timeout, this, &MediaSession::checkStall);
    connect(&lengthWalk_, &LengthWalk::walked, this, [this](double seconds) {
        if (media_.duration() > 0.0) { // still playable
            media_.setDuration(std::round(seconds * 1000.0) / 1000.0);
            emit durationChanged(media_.duration());
        }
    });
}

MediaSession::~MediaSession() {
    closeBackend(true);
}

void MediaSession::setURL(const QString& url) {
    lengthWalk_.stop();
    closeBackend(true);
    url_ = url;
    path_.clear();
    pathBytes_.clear();
    recoveries_ = 0;
    if (url.isEmpty()) {
        media_ = MediaItem();
    } else {
        pathBytes_ = LocalPathBytes(url);
        path_ = QString::fromStdU16String(PathText(pathBytes_));
        const MediaInfo info = ReadMediaInfo(pathBytes_);
        media_ = MediaItem(path_, info);
        if (info.playable) {
            openBackend();
        }
        if (info.playable && info.lengthEstimated) {
            lengthWalk_.start(path_);
        }
    }
    emit mediaChanged();
    updatePlayState();
    if (player_ != nullptr && autoStart_) {
        play();
    }
}

void MediaSession::openBackend() {
    player_ = new QMediaPlayer(this);
    output_ = new QAudioOutput(player_);
    player_->setAudioOutput(output_);
    applyVolume();
    connect(player_, &QMediaPlayer::playbackStateChanged, this, &MediaSession::updatePlayState);
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, &MediaSession::onStatus);
    connect(player_, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error) {
        if (error != QMediaPlayer::NoError) {
            fail();
        }
    });
    connect(player_, &QMediaPlayer::seekableChanged, this, &MediaSession::applyPendingSeek);
    connect(player_, &QMediaPlayer::durationChanged, this, &MediaSession::applyPendingSeek);
    connect(player_, &QMediaPlayer::positionChanged, this, &MediaSession::onPosition);
    // Under GStreamer a file that begins inside a frame (a raw cut) is read from its first real frame on;
    // a file whose name is not UTF-8 is read through a device under either backend, as a URL of Qt's cannot
    // name it. FFmpeg finds the first frame itself and is given the file's name where it can be: it keeps
    // tens of KiB of every device it reads, which a preview a minute would pile up.
    const qint64 start = PlaysThroughFfmpeg() ? 0 : AudioStart(pathBytes_);
    if (start > 0 || !IsValidUtf8(pathBytes_)) {
        auto* device = new OffsetFileDevice(pathBytes_, start, player_);
        if (device->open(QIODevice::ReadOnly)) {
            player_->setSourceDevice(device,
                                     QUrl::fromLocalFile(QString::fromStdString(DisplayName(pathBytes_))));
            return;
        }
        delete device;
    }
    player_->setSource(QUrl::fromLocalFile(path_));
}

void MediaSession::closeBackend(bool now) {
    moving_ = false;
    lastPlayingPositionMs_ = -1;
    watch_.halt();
    stallTimer_.stop();
    pendingSeek_ = -1.0;
    if (player_ == nullptr) {
        return;
    }
    QPointer<QMediaPlayer> old = player_;
    player_->disconnect(this);
    player_ = nullptr;
    output_ = nullptr;
    // Stopping keeps the file open; only an empty source closes it.
    auto release = [old] {
        if (old) {
            old->stop();
            old->setSource(QUrl());
            // A file read through a device is let go of with the device.
            for (auto* device : old->findChildren<OffsetFileDevice*>()) {
                device->close();
            }
            old->deleteLater();
        }
    };
    if (now) {
        release();
    } else {
        QMetaObject::invokeMethod(this, release, Qt::QueuedConnection);
    }
}

void MediaSession::fail() {
    if (player_ == nullptr) {
        return;
    }
    closeBackend(false);
    media_.markUnplayable();
    emit mediaChanged();
    updatePlayState();
}

void MediaSession::recover(double position) {
    ++recoveries_;
    closeBackend(false);
    openBackend();
    if (position > 0.05) {
        pendingSeek_ = std::min(position, media_.duration());
    }
    play();
}

void MediaSession::play() {
    if (player_ == nullptr) {
        return;
    }
    if (player_->mediaStatus() == QMediaPlayer::EndOfMedia && pendingSeek_ < 0.0) {
        player_->setPosition(0);
    }
    player_->play();
    moving_ = false;
    lastPlayingPositionMs_ = player_->position();
    watch_.start(pendingSeek_ >= 0.0 ? pendingSeek_ : player_->position() / 1000.0, now());
    stallTimer_.start();
    applyPendingSeek();
    updatePlayState();
}

void MediaSession::pause() {
    if (player_ == nullptr || player_->playbackState() != QMediaPlayer::PlayingState) {
        return;
    }
    player_->pause();
    watch_.halt();
    stallTimer_.stop();
    updatePlayState();
}

void MediaSession::stop() {
    if (player_ == nullptr) {
        return;
    }
    pendingSeek_ = -1.0;
    watch_.halt();
    stallTimer_.stop();
    player_->stop();
    updatePlayState();
}

double MediaSession::currentPosition() const {
    if (player_ == nullptr) {
        return 0.0;
    }
    if (pendingSeek_ >= 0.0) {
        return pendingSeek_;
    }
    if (player_->mediaStatus() == QMediaPlayer::EndOfMedia) {
        return 0.0;
    }
    return player_->position() / 1000.0;
}

void MediaSession::setCurrentPosition(double seconds) {
    if (player_ == nullptr || !std::isfinite(seconds)) {
        return;
    }
    pendingSeek_ = std::clamp(seconds, 0.0, std::max(media_.duration(), 0.0));
    if (watch_.running()) {
        watch_.start(pendingSeek_, now());
    }
    applyPendingSeek();
    emit positionChanged(currentPosition());
}

bool MediaSession::canSeek() const {
    // A seek made while the media still opens, or before the backend knows the length (it scans a file
    // without an Info header first), is lost and playback starts over from the beginning.
    return player_ != nullptr && IsLoaded(player_->mediaStatus()) && player_->isSeekable() &&
           player_->duration() > 0;
}

void MediaSession::applyPendingSeek() {
    if (pendingSeek_ < 0.0 || !canSeek()) {
        return;
    }
    const auto ms = static_cast<qint64>(std::llround(pendingSeek_ * 1000.0));
    if (watch_.running()) {
        watch_.start(pendingSeek_, now());
    }
    pendingSeek_ = -1.0;
    player_->setPosition(ms);
}

void MediaSession::onStatus(QMediaPlayer::MediaStatus status) {
    if (status == QMediaPlayer::InvalidMedia) {
        fail();
        return;
    }
    if (status == QMediaPlayer::EndOfMedia) {
        if (watch_.isEarlyEnd(media_.duration(), now()) && recoveries_ < kMaxRecoveries) {
            recover(watch_.expected(now()));
            return;
        }
        watch_.halt();
        stallTimer_.stop();
    }
    if (IsLoaded(status)) {
        applyPendingSeek();
        // Now and then the backend opens a file without finding its audio stream: it then "plays"
        // silence that never moves. Give it a moment to find the stream, then open the file anew.
        if (!player_->hasAudio()) {
            QTimer::singleShot(300, this, &MediaSession::checkAudio);
        }
    }
    updatePlayState();
}

void MediaSession::checkAudio() {
    if (player_ != nullptr && IsLoaded(player_->mediaStatus()) && !player_->hasAudio() &&
        player_->mediaStatus() != QMediaPlayer::EndOfMedia && recoveries_ < kMaxRecoveries &&
        player_->playbackState() == QMediaPlayer::PlayingState) {
        recover(pendingSeek_ >= 0.0 ? pendingSeek_ : player_->position() / 1000.0);
    }
}

void MediaSession::onPosition(qint64 ms) {
    if (!moving_ && player_ != nullptr && player_->playbackState() == QMediaPlayer::PlayingState &&
        lastPlayingPositionMs_ >= 0 && ms != lastPlayingPositionMs_) {
        moving_ = true;
        updatePlayState();
    }
    watch_.observe(ms / 1000.0, now());
    emit positionChanged(currentPosition());
}

void MediaSession::checkStall() {
    if (player_ == nullptr || player_->playbackState() != QMediaPlayer::PlayingState) {
        return;
    }
    watch_.observe(player_->position() / 1000.0, now());
    if (watch_.isStalled(now()) && recoveries_ < kMaxRecoveries) {
        recover(pendingSeek_ >= 0.0 ? pendingSeek_ : player_->position() / 1000.0);
    }
}

void MediaSession::applyVolume() {
    if (output_ == nullptr) {
        return;
    }
    output_->setVolume(static_cast<float>(
        QAudio::convertVolume(volume_ / 100.0, QAudio::LogarithmicVolumeScale, QAudio::LinearVolumeScale)));
    output_->setMuted(mute_);
}

void MediaSession::setVolume(int volume) {
    volume = std::clamp(volume, 0, 100);
    if (volume != volume_) {
        volume_ = volume;
        applyVolume();
        emit volumeChanged(volume_);
    }
}

void MediaSession::setMute(bool on) {
    if (on != mute_) {
        mute_ = on;
        applyVolume();
        emit muteChanged(on);
    }
}

void MediaSession::updatePlayState() {
    int state = player_ == nullptr ? PlayStateUndefined
                                   : PlayStateOf(player_->playbackState(), player_->mediaStatus(), true);
    // The backend may report a file as still loading, or (FFmpeg's, after a seek) as buffering, while it
    // plays it: a moving position says playing.
    if ((state == PlayStateTransitioning || state == PlayStateBuffering) && moving_ &&
        player_->playbackState() == QMediaPlayer::PlayingState) {
        state = PlayStatePlaying;
    }
    if (state != playState_) {
        playState_ = state;
        emit playStateChanged(playState_);
    }
}

} // namespace trimvox
