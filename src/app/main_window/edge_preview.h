// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

namespace trimvox {

class MediaPlayer;

// A quick listen in the player itself: plays a stretch of its media, then pauses at the stretch's end.
// Pausing or stopping it by hand, or other media, ends the watch without any further step.
class EdgePreview : public QObject {
    Q_OBJECT

public:
    explicit EdgePreview(MediaPlayer& player, QObject* parent = nullptr);

    // Plays from `from` to `to` (seconds, kept inside the media); nothing when the stretch is empty.
    void play(double from, double to);
    bool isActive() const { return timer_.isActive(); }

private:
    void check();

    MediaPlayer& player_;
    QTimer timer_;
    QElapsedTimer clock_;
    QString url_;
    double from_ = 0.0;
    double to_ = 0.0;
    qint64 limitMs_ = 0;
    bool started_ = false; // the player played since the stretch began
    bool inside_ = false;  // the position was seen inside the stretch
};

} // namespace trimvox
