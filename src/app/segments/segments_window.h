// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/segments/list_history.h"
#include "app/segments/waveform_view.h"
#include "peaks/peak_pyramid.h"
#include "split/export_all.h"
#include "split/silence_split.h"

#include <QPointer>
#include <QWidget>
#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTableWidgetItem;
class QShortcut;
class QTimer;

namespace trimvox {

class OverviewStrip;
class PlaybackPort;

// Cuts every piece of a list out of a source; runs off the GUI thread. The program passes ExportAll.
using ExportAllFn = std::function<ExportOutcome(const ExportRequest&, const ExportProgressFn&)>;

// What the segments window works with, from the window that opens it.
struct SegmentsWindowSetup {
    PlaybackPort* player = nullptr; // not owned; may be null (no playback)
    // The main window's start and end marks in seconds, when they make a stretch.
    std::function<std::optional<std::pair<double, double>>()> marks;
    ExportAllFn exportAll;
    std::filesystem::path settingsFile; // set.ini: [segments] keeps the window's place; empty: not kept
    std::filesystem::path cacheFolder;  // the peaks' cache; empty: none
    WaveColours colours;
};

// "分段": the pieces of one recording. An overview strip and a zoomable detail view of the waveform, a table
// of the segments with typed times and titles, and the commands on buttons with keys:
//   A 添加 (at the selection, else at the main window's marks)   S 在播放位置分割   Delete 删除   M
//   与下一段合并 D 检测静音 (the splits found are shown; Enter takes them, Esc drops them)    E 等分 Ctrl+I
//   导入 (cue, labels, chapters)   Ctrl+E 导出列表 (cue, labels)   Ctrl+Shift+E 全部导出 Space play/pause   P
//   play the segment   B / N 2 s around its start / end   + / - zoom around the play position   Ctrl+Z undo
//   Ctrl+Shift+Z or Ctrl+Y redo (by the keys' places too, on any layout)
// A window of its own, never modal; closing it asks before a changed list that was not exported is lost.
class SegmentsWindow : public QWidget {
    Q_OBJECT

public:
    explicit SegmentsWindow(SegmentsWindowSetup setup, QWidget* parent = nullptr);
    ~SegmentsWindow() override;

    // Shows a file: its peaks come from the cache at once, else from a pass in the background; the list
    // starts empty.
    void openFile(const std::filesystem::path& file);
    const std::filesystem::path& file() const { return file_; }
    // The player to play through (not owned; null: none).
    void setSetupPlayer(PlaybackPort* player) { setup_.player = player; }
    bool ready() const { return peaks_ != nullptr; }
    bool busy() const { return worker_.joinable() && !workerDone_; }
    bool peaksFromCache() const { return peaksFromCache_; }
    const SegmentList& list() const { return history_.current(); }
    bool unsaved() const { return history_.unsaved(); }
    // Asks whether a changed list may be dropped; true when it may (or nothing would be lost).
    bool confirmDrop();

    // The commands, as the buttons and keys run them.
    void addSegment();
    void splitAtPlayPosition();
    void removeSelected();
    void mergeSelected();
    void detectSilence();
    void takeProposal();
    void dropProposal();
    void equalParts();
    void importListFile(const std::filesystem::path& path);
    void exportListFile(const std::filesystem::path& path);
    void exportAllTo(const std::filesystem::path& folder);
    void cancelExport();
    void undo();
    void redo();
    void selectSegment(int index);
    int selectedSegment() const;

    WaveformView* detailView() const { return view_; }
    OverviewStrip* overview() const { return overview_; }
    QTableWidget* table() const { return table_; }
    QLabel* statusLabel() const { return status_; }
    QLabel* positionLabel() const { return position_; }
    QLabel* pointerLabel() const { return pointer_; }
    QProgressBar* progressBar() const { return progress_; }
    std::optional<SilenceReport> proposal() const { return proposal_; }
    QDoubleSpinBox* thresholdBox() const { return threshold_; }
    QSpinBox* partsBox() const { return parts_; }
    QLineEdit* nameTemplateEdit() const { return template_; }

    static constexpr const char* kSettingsSection = "segments";

signals:
    void peaksReady();
    void listChanged();
    void detectionFinished();
    void exportFinished(bool ok);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildLayout();
    void bindKeys();
    QPushButton* command(const QString& caption, const QString& accessible, const QKeySequence& key,
                         void (SegmentsWindow::*slot)());
    void commit(SegmentList next, const QString& done);
    bool apply(ListRefusal refusal, SegmentList& next,
               const QString& done); // next: the list after the change
    void showList();
    void showTime();
    void showEnabled();
    void say(const QString& text);
    void onCellEdited(int row, int column, const QString& text);
    void onEdgeMoved(int segment, bool endEdge, std::int64_t sample);
    void showProposal(SilenceReport report);
    void peaksArrived(std::shared_ptr<const PeakPyramid> peaks, bool fromCache);
    void stopWorker();
    // Runs `work` on a thread of its own; what it returns then runs on the GUI thread.
    using BackgroundWork = std::function<std::function<void()>(const std::atomic<bool>& stop)>;
    void runInBackground(BackgroundWork work);
    void restorePlace();
    void keepPlace();
    std::int64_t playSample() const;
    void playSegment();
    void playStartEdge();
    void playEndEdge();
    void togglePlay();
    void zoomIn();
    void zoomOut();
    void importWithDialog();
    void exportListWithDialog();
    void exportAllWithDialog();

    SegmentsWindowSetup setup_;
    std::filesystem::path file_;
    std::shared_ptr<const PeakPyramid> peaks_;
    bool peaksFromCache_ = false;
    ListHistory history_;
    std::optional<SilenceReport> proposal_;
    // The silences the opening pass found beside the peaks, and with which settings: a search for silence
    // with the same settings needs no second pass.
    struct FoundSilences {
        double thresholdDb = 0;
        double minSilenceSeconds = 0;
        std::vector<Silence> silences;
    };
    std::optional<FoundSilences> found_;
    std::string album_;

    std::thread worker_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> cancel_{false};
    std::atomic<bool> workerDone_{true};
    std::uint64_t generation_ = 0; // of the work in hand; a late result of work stopped since is dropped

    WaveformView* view_ = nullptr;
    OverviewStrip* overview_ = nullptr;
    QTableWidget* table_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* position_ = nullptr;
    QLabel* pointer_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* takeButton_ = nullptr;
    QPushButton* dropButton_ = nullptr;
    QDoubleSpinBox* threshold_ = nullptr;
    QDoubleSpinBox* minSilence_ = nullptr;
    QDoubleSpinBox* minPiece_ = nullptr;
    QSpinBox* parts_ = nullptr;
    QLineEdit* template_ = nullptr;
    QTimer* clock_ = nullptr;
    std::vector<QPushButton*> listCommands_; // enabled once the peaks are there
    std::vector<QShortcut*> proposalKeys_;   // Enter and Esc, only while splits are proposed
    bool showing_ = false;                   // the table is being filled
};

} // namespace trimvox
