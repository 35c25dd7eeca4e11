// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/player/media_player.h"

#include "controls/player/display_strip.h"
#include "controls/player/play_state.h"
#include "controls/player/player_icons.h"
#include "controls/player/seek_bar.h"
#include "controls/player/time_text.h"

#include <QKeyEvent>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace trimvox {

namespace {

// The bottom row (transport buttons and time) and the seek bar above it, in pixels.
constexpr int kRowHeight = 25;
constexpr int kButton = 23;
constexpr int kSeekHeight = 14;
constexpr int kMargin = 4;
constexpr int kTimeWidth = 110;
// Volume and mute at the right end of the display strip.
constexpr int kVolumeWidth = 64;
constexpr int kMuteWidth = 20;

QToolButton* MakeButton(QWidget* parent, QStyle::StandardPixmap icon, const QString& tip) {
    auto* button = new QToolButton(parent);
    button->setIcon(PlayerIcon(*parent->style(), icon));
    button->setToolTip(tip);
    button->setAccessibleName(tip); // the icon says it on screen; the name says it to a screen reader
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

bool IsRunning(int state) {
    return state == PlayStatePlaying || state == PlayStateBuffering || state == PlayStateTransitioning;
}

QString StatusText(int state, bool hasMedia) {
    switch (state) {
    case PlayStateStopped:
        return QStringLiteral("已停止");
    case PlayStatePaused:
        return QStringLiteral("已暂停");
    case PlayStatePlaying:
        return QStringLiteral("正在播放");
    case PlayStateBuffering:
        return QStringLiteral("正在缓冲");
    case PlayStateTransitioning:
        return QStringLiteral("正在打开");
    default:
        return hasMedia ? QStringLiteral("无法播放此文件") : QString();
    }
}

} // namespace

MediaPlayer::MediaPlayer(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAutoFillBackground(true);

    display_ = new DisplayStrip(this);
    display_->setRightMargin(kMargin + kVolumeWidth + kMuteWidth + 8);
    seekBar_ = new SeekBar(this);
    playButton_ = MakeButton(this, QStyle::SP_MediaPlay, QStringLiteral("播放"));
    stopButton_ = MakeButton(this, QStyle::SP_MediaStop, QStringLiteral("停止"));
    time_ = new QLabel(this);
    time_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    muteButton_ = MakeButton(this, QStyle::SP_MediaVolume, QStringLiteral("静音"));
    muteButton_->setCheckable(true);
    volumeSlider_ = new QSlider(Qt::Horizontal, this);
    volumeSlider_->setRange(0, 100);
    volumeSlider_->setFocusPolicy(Qt::NoFocus);
    volumeSlider_->setToolTip(QStringLiteral("音量"));
    volumeSlider_->setValue(session_.volume());
    display_->setObjectName(QStringLiteral("display"));
    seekBar_->setObjectName(QStringLiteral("seekBar"));
    playButton_->setObjectName(QStringLiteral("playButton"));
    stopButton_->setObjectName(QStringLiteral("stopButton"));
    time_->setObjectName(QStringLiteral("time"));
    muteButton_->setObjectName(QStringLiteral("muteButton"));
    volumeSlider_->setObjectName(QStringLiteral("volumeSlider"));

    connect(playButton_, &QToolButton::clicked, this, [this] {
        setFocus(Qt::MouseFocusReason);
        togglePlay();
    });
    connect(stopButton_, &QToolButton::clicked, this, [this] {
        setFocus(Qt::MouseFocusReason);
        session_.stop();
    });
    connect(seekBar_, &SeekBar::seekRequested, this, [this](qint64 ms) {
        setFocus(Qt::MouseFocusReason);
        session_.setCurrentPosition(ms / 1000.0);
    });
    connect(display_, &DisplayStrip::seekRequested, this, [this](double seconds) {
        setFocus(Qt::MouseFocusReason);
        session_.setCurrentPosition(seconds);
    });
    connect(volumeSlider_, &QSlider::valueChanged, &session_, &MediaSession::setVolume);
    connect(muteButton_, &QToolButton::toggled, &session_, &MediaSession::setMute);
    connect(&session_, &MediaSession::volumeChanged, volumeSlider_, &QSlider::setValue);
    connect(&session_, &MediaSession::muteChanged, this, [this](bool on) {
        muteButton_->setChecked(on);
        muteButton_->setIcon(PlayerIcon(*style(), on ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
    });
    connect(&session_, &MediaSession::mediaChanged, this, &MediaPlayer::showMedia);
    connect(&session_, &MediaSession::durationChanged, this, [this](double seconds) {
        showDuration();
        emit durationChange(seconds);
    });
    connect(&session_, &MediaSession::positionChanged, this, &MediaPlayer::showPosition);
    connect(&session_, &MediaSession::playStateChanged, this, [this](int state) {
        showPlayState();
        emit playStateChange(state);
    });

    showMedia();
    resize(sizeHint());
}

MediaPlayer::~MediaPlayer() = default;

void MediaPlayer::setURL(const QString& url) {
    session_.setURL(url);
}

QSize MediaPlayer::sizeHint() const {
    return {320, 97};
}

void MediaPlayer::togglePlay() {
    if (IsRunning(session_.playState())) {
        session_.pause();
    } else {
        session_.play();
    }
}

void MediaPlayer::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier) {
        if (!event->isAutoRepeat()) {
            togglePlay();
        }
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void MediaPlayer::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    display_->setFocusFrame(true);
}

void MediaPlayer::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    display_->setFocusFrame(false);
}

void MediaPlayer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
}

void MediaPlayer::layoutControls() {
    const int w = width();
    const int h = height();
    const int rowTop = h - kRowHeight;
    const int seekTop = rowTop - kSeekHeight - 2;
    display_->setGeometry(0, 0, w, std::max(seekTop - 2, 0));
    seekBar_->setGeometry(kMargin, seekTop, std::max(w - 2 * kMargin, 0), kSeekHeight);

    const int buttonTop = rowTop + (kRowHeight - kButton) / 2;
    playButton_->setGeometry(kMargin, buttonTop, kButton, kButton);
    stopButton_->setGeometry(kMargin + kButton + 2, buttonTop, kButton, kButton);
    time_->setGeometry(kMargin + 2 * kButton + 8, rowTop, kTimeWidth, kRowHeight);

    const int volumeTop = kMargin;
    const int volumeLeft = w - kMargin - kVolumeWidth;
    volumeSlider_->setGeometry(volumeLeft, volumeTop, kVolumeWidth, kMuteWidth);
    muteButton_->setGeometry(volumeLeft - kMuteWidth - 2, volumeTop, kMuteWidth, kMuteWidth);
    // The volume sits on the display strip, so it stays above it.
    muteButton_->raise();
    volumeSlider_->raise();
}

void MediaPlayer::showMedia() {
    display_->setTitle(session_.currentMedia().getItemInfo(QStringLiteral("Title")));
    showDuration();
    clearMarks();
    showPlayState();
}

void MediaPlayer::showDuration() {
    const MediaItem& media = session_.currentMedia();
    seekBar_->setMaximum(static_cast<qint64>(std::llround(media.duration() * 1000.0)));
    display_->showWaveformOf(media.getItemInfo(QStringLiteral("sourceURL")), media.duration());
    showPosition();
    showMarks();
}

void MediaPlayer::setStartMark(double seconds) {
    startMark_ = seconds;
    showMarks();
}

void MediaPlayer::setEndMark(double seconds) {
    endMark_ = seconds;
    showMarks();
}

void MediaPlayer::clearMarks() {
    startMark_.reset();
    endMark_.reset();
    showMarks();
}

void MediaPlayer::showMarks() {
    display_->setMarks(startMark_, endMark_);
    const auto ms = [](std::optional<double> seconds) -> std::optional<qint64> {
        if (!seconds) {
            return std::nullopt;
        }
        return static_cast<qint64>(std::llround(*seconds * 1000.0));
    };
    seekBar_->setMarks(ms(startMark_), ms(endMark_));
}

void MediaPlayer::showPlayState() {
    const int state = session_.playState();
    const bool running = IsRunning(state);
    display_->setStatus(StatusText(state, !session_.currentMedia().isEmpty()));
    playButton_->setIcon(PlayerIcon(*style(), running ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    playButton_->setToolTip(running ? QStringLiteral("暂停") : QStringLiteral("播放"));
    playButton_->setAccessibleName(playButton_->toolTip());
    const bool usable = state != PlayStateUndefined;
    playButton_->setEnabled(usable);
    stopButton_->setEnabled(usable);
    seekBar_->setEnabled(usable);
    showPosition();
}

void MediaPlayer::showPosition() {
    const double position = session_.currentPosition();
    seekBar_->setValue(static_cast<qint64>(std::llround(position * 1000.0)));
    display_->setPosition(position);
    time_->setText(TimeText(position) + QStringLiteral(" / ") + TimeText(session_.currentMedia().duration()));
}

} // namespace trimvox
