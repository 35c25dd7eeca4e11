// SPDX-License-Identifier: GPL-3.0-or-later
// The segments window "分段" for the main window's file: opened from the context menu and with Ctrl+L. It
// plays through the main window's player and leaves everything else of the main window as it is.
#include "app/dialogs/message_box.h"
#include "app/main_window/edge_preview.h"
#include "app/main_window/form1.h"
#include "app/segments/playback_port.h"
#include "app/segments/segments_window.h"
#include "controls/player/media_player.h"
#include "controls/player/play_state.h"
#include "peaks/peak_cache.h"
#include "settings/mymode.h"
#include "split/export_all.h"

#include <QUrl>

namespace trimvox {

namespace {

// The main window's player, for the file the segments window shows.
class MainPlayerPort final : public QObject, public PlaybackPort {
public:
    MainPlayerPort(MediaPlayer& player, QObject* parent)
        : QObject(parent), player_(player), edge_(player, this) {}

    void setFile(const QString& url) { url_ = url; }

    bool available() const override { return !url_.isEmpty() && player_.URL() == url_; }
    double position() const override { return available() ? player_.controls().currentPosition() : 0.0; }
    bool playing() const override { return available() && player_.playState() == PlayStatePlaying; }
    void seek(double seconds) override {
        if (available()) {
            player_.controls().setCurrentPosition(seconds);
        }
    }
    void play() override {
        if (available()) {
            player_.controls().play();
        }
    }
    void pause() override {
        if (available()) {
            player_.controls().pause();
        }
    }
    void playRange(double from, double to) override {
        if (available()) {
            edge_.play(from, to);
        }
    }

private:
    MediaPlayer& player_;
    EdgePreview edge_;
    QString url_;
};

std::filesystem::path LocalFile(const QString& url) {
    const QString path =
        url.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) ? QUrl(url).toLocalFile() : url;
    return std::filesystem::path(path.toStdString());
}

} // namespace

void Form1::OpenSegmentsWindow() {
    MediaPlayer* player = controls_.wmp;
    const QString url = player != nullptr ? player->URL() : QString();
    if (url.isEmpty()) {
        ShowMessage(QStringLiteral("请先打开一个 MP3 文件。"), kAppTitle, QMessageBox::NoIcon, this);
        return;
    }
    auto* window = findChild<SegmentsWindow*>();
    MainPlayerPort* port = nullptr;
    if (window == nullptr) {
        SegmentsWindowSetup setup;
        setup.marks = [this]() -> std::optional<std::pair<double, double>> {
            if (EndPos > StartPos) {
                return std::make_pair(StartPos, EndPos);
            }
            return std::nullopt;
        };
        setup.exportAll = &ExportAll;
        setup.settingsFile = mymode::SettingsFile();
        setup.cacheFolder = DefaultPeakCacheFolder();
        setup.colours.background = palette().color(QPalette::Base);
        setup.colours.wave = palette().color(QPalette::Highlight);
        setup.colours.text = palette().color(QPalette::Text);
        window = new SegmentsWindow(setup, this);
        port = new MainPlayerPort(*player, window);
        port->setObjectName(QStringLiteral("mainPlayerPort"));
        window->setSetupPlayer(port);
    } else {
        // The port has no Q_OBJECT of its own (Qt 6.8's findChild<T> insists on one): found as a QObject.
        port = dynamic_cast<MainPlayerPort*>(window->findChild<QObject*>(QStringLiteral("mainPlayerPort")));
    }
    const std::filesystem::path file = LocalFile(url);
    if (window->file() != file || !window->isVisible()) {
        if (window->isVisible() && !window->confirmDrop()) {
            window->raise();
            window->activateWindow();
            return;
        }
        if (port != nullptr) {
            port->setFile(url);
        }
        window->openFile(file);
    }
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace trimvox
