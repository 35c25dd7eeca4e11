// SPDX-License-Identifier: GPL-3.0-or-later
// The segments window: its layout, its keys, the table, the play position and the window's place.
#include "app/segments/segments_window.h"

#include "app/segments/overview_strip.h"
#include "app/segments/playback_port.h"
#include "app/segments/undo_keys.h"
#include "peaks/peaks_pass.h"
#include "settings/private_profile.h"
#include "split/time_text.h"

#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cmath>

namespace trimvox {

namespace {

enum Column { kStart, kEnd, kLength, kTitle, kColumns };

QString TimeText(std::int64_t sample, long rate) {
    return QString::fromStdString(FormatTime(sample, rate));
}

} // namespace

SegmentsWindow::SegmentsWindow(SegmentsWindowSetup setup, QWidget* parent)
    : QWidget(parent, Qt::Window), setup_(std::move(setup)) {
    setWindowTitle(QStringLiteral("分段"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    buildLayout();
    bindKeys();
    restorePlace();
    clock_ = new QTimer(this);
    clock_->setInterval(50);
    connect(clock_, &QTimer::timeout, this, &SegmentsWindow::showTime);
    clock_->start();
    showEnabled();
}

SegmentsWindow::~SegmentsWindow() {
    stopWorker();
}

QPushButton* SegmentsWindow::command(const QString& caption, const QString& accessible,
                                     const QKeySequence& key, void (SegmentsWindow::*slot)()) {
    auto* button = new QPushButton(caption, this);
    button->setAccessibleName(accessible);
    button->setFocusPolicy(Qt::TabFocus);
    if (!key.isEmpty()) {
        button->setToolTip(caption + QStringLiteral(" (") + key.toString(QKeySequence::NativeText) +
                           QStringLiteral(")"));
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, button, [button] {
            if (button->isEnabled()) {
                button->click();
            }
        });
    }
    connect(button, &QPushButton::clicked, this, slot);
    return button;
}

void SegmentsWindow::buildLayout() {
    overview_ = new OverviewStrip(this);
    view_ = new WaveformView(this);
    overview_->setColours(setup_.colours);
    view_->setColours(setup_.colours);

    position_ = new QLabel(this);
    pointer_ = new QLabel(this);
    position_->setAccessibleName(QStringLiteral("播放位置"));
    pointer_->setAccessibleName(QStringLiteral("指针位置"));
    position_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status_ = new QLabel(this);
    status_->setWordWrap(true);
    status_->setAccessibleName(QStringLiteral("状态"));

    table_ = new QTableWidget(0, kColumns, this);
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("起始"), QStringLiteral("结束"), QStringLiteral("时长"), QStringLiteral("标题")});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setAccessibleName(QStringLiteral("分段列表"));
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);

    auto* top = new QHBoxLayout;
    top->addWidget(position_);
    top->addSpacing(16);
    top->addWidget(pointer_);
    top->addStretch();

    auto* row1 = new QHBoxLayout;
    listCommands_ = {
        command(QStringLiteral("添加"), QStringLiteral("添加分段"), QKeySequence(Qt::Key_A),
                &SegmentsWindow::addSegment),
        command(QStringLiteral("分割"), QStringLiteral("在播放位置分割"), QKeySequence(Qt::Key_S),
                &SegmentsWindow::splitAtPlayPosition),
        command(QStringLiteral("删除"), QStringLiteral("删除分段"), QKeySequence(Qt::Key_Delete),
                &SegmentsWindow::removeSelected),
        command(QStringLiteral("合并"), QStringLiteral("与下一段合并"), QKeySequence(Qt::Key_M),
                &SegmentsWindow::mergeSelected),
        command(QStringLiteral("播放本段"), QStringLiteral("播放本段"), QKeySequence(Qt::Key_P),
                &SegmentsWindow::playSegment),
        command(QStringLiteral("听起点"), QStringLiteral("播放起点前后 2 秒"), QKeySequence(Qt::Key_B),
                &SegmentsWindow::playStartEdge),
        command(QStringLiteral("听终点"), QStringLiteral("播放终点前后 2 秒"), QKeySequence(Qt::Key_N),
                &SegmentsWindow::playEndEdge),
    };
    for (QPushButton* button : listCommands_) {
        row1->addWidget(button);
    }
    row1->addStretch();

    auto* row2 = new QHBoxLayout;
    threshold_ = new QDoubleSpinBox(this);
    threshold_->setRange(-90, -10);
    threshold_->setValue(SilenceOptions{}.thresholdDb);
    threshold_->setSuffix(QStringLiteral(" dB"));
    threshold_->setAccessibleName(QStringLiteral("静音阈值"));
    minSilence_ = new QDoubleSpinBox(this);
    minSilence_->setRange(0.05, 60);
    minSilence_->setValue(SilenceOptions{}.minSilenceSeconds);
    minSilence_->setSuffix(QStringLiteral(" 秒"));
    minSilence_->setAccessibleName(QStringLiteral("最短静音"));
    minPiece_ = new QDoubleSpinBox(this);
    minPiece_->setRange(0, 3600);
    minPiece_->setValue(SilenceOptions{}.minPieceSeconds);
    minPiece_->setSuffix(QStringLiteral(" 秒"));
    minPiece_->setAccessibleName(QStringLiteral("最短分段"));
    row2->addWidget(new QLabel(QStringLiteral("阈值"), this));
    row2->addWidget(threshold_);
    row2->addWidget(new QLabel(QStringLiteral("最短静音"), this));
    row2->addWidget(minSilence_);
    row2->addWidget(new QLabel(QStringLiteral("最短分段"), this));
    row2->addWidget(minPiece_);
    QPushButton* detect = command(QStringLiteral("检测静音"), QStringLiteral("检测静音"),
                                  QKeySequence(Qt::Key_D), &SegmentsWindow::detectSilence);
    takeButton_ = command(QStringLiteral("采用"), QStringLiteral("采用找到的分割"), QKeySequence(),
                          &SegmentsWindow::takeProposal);
    dropButton_ = command(QStringLiteral("放弃"), QStringLiteral("放弃找到的分割"), QKeySequence(),
                          &SegmentsWindow::dropProposal);
    row2->addWidget(detect);
    row2->addWidget(takeButton_);
    row2->addWidget(dropButton_);
    row2->addSpacing(16);
    parts_ = new QSpinBox(this);
    parts_->setRange(2, 999);
    parts_->setValue(4);
    parts_->setAccessibleName(QStringLiteral("等分段数"));
    row2->addWidget(parts_);
    QPushButton* equal = command(QStringLiteral("等分"), QStringLiteral("等分"), QKeySequence(Qt::Key_E),
                                 &SegmentsWindow::equalParts);
    row2->addWidget(equal);
    row2->addStretch();
    listCommands_.push_back(detect);
    listCommands_.push_back(equal);

    auto* row3 = new QHBoxLayout;
    QPushButton* importButton =
        command(QStringLiteral("导入…"), QStringLiteral("导入分段列表"), QKeySequence(Qt::CTRL | Qt::Key_I),
                &SegmentsWindow::importWithDialog);
    QPushButton* exportList =
        command(QStringLiteral("导出列表…"), QStringLiteral("导出分段列表"),
                QKeySequence(Qt::CTRL | Qt::Key_E), &SegmentsWindow::exportListWithDialog);
    template_ = new QLineEdit(this);
    template_->setPlaceholderText(QStringLiteral("文件名模板，如 {nn} {title}"));
    template_->setAccessibleName(QStringLiteral("文件名模板"));
    QPushButton* exportAll =
        command(QStringLiteral("全部导出…"), QStringLiteral("全部导出"),
                QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), &SegmentsWindow::exportAllWithDialog);
    progress_ = new QProgressBar(this);
    progress_->setAccessibleName(QStringLiteral("导出进度"));
    progress_->hide();
    cancelButton_ = command(QStringLiteral("取消"), QStringLiteral("取消导出"), QKeySequence(),
                            &SegmentsWindow::cancelExport);
    cancelButton_->hide();
    QPushButton* undoButton =
        command(QStringLiteral("撤销"), QStringLiteral("撤销"), QKeySequence(), &SegmentsWindow::undo);
    QPushButton* redoButton =
        command(QStringLiteral("重做"), QStringLiteral("重做"), QKeySequence(), &SegmentsWindow::redo);
    undoButton->setToolTip(QStringLiteral("撤销 (Ctrl+Z)"));
    redoButton->setToolTip(QStringLiteral("重做 (Ctrl+Shift+Z, Ctrl+Y)"));
    row3->addWidget(importButton);
    row3->addWidget(exportList);
    row3->addWidget(template_, 1);
    row3->addWidget(exportAll);
    row3->addWidget(progress_);
    row3->addWidget(cancelButton_);
    row3->addSpacing(16);
    row3->addWidget(undoButton);
    row3->addWidget(redoButton);
    listCommands_.push_back(importButton);
    listCommands_.push_back(exportList);
    listCommands_.push_back(exportAll);

    auto* waves = new QWidget(this);
    auto* wavesLayout = new QVBoxLayout(waves);
    wavesLayout->setContentsMargins(0, 0, 0, 0);
    wavesLayout->addWidget(overview_);
    wavesLayout->addWidget(view_, 1);
    wavesLayout->addLayout(top);
    auto* split = new QSplitter(Qt::Vertical, this);
    split->addWidget(waves);
    split->addWidget(table_);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(split, 1);
    layout->addLayout(row1);
    layout->addLayout(row2);
    layout->addLayout(row3);
    layout->addWidget(status_);

    connect(view_, &WaveformView::viewChanged, this, [this] {
        overview_->setVisibleRange(view_->scale().firstSample(), view_->scale().lastSample());
    });
    connect(view_, &WaveformView::pointerMoved, this, &SegmentsWindow::showTime);
    connect(view_, &WaveformView::seekRequested, this, [this](std::int64_t sample) {
        if (setup_.player != nullptr && setup_.player->available()) {
            setup_.player->seek(list().secondsAt(sample));
        }
        view_->setPlayPosition(sample);
        overview_->setPlayPosition(sample);
        view_->clearSelection();
        showTime();
    });
    connect(view_, &WaveformView::segmentClicked, this, [this](int index) {
        if (index >= 0) {
            selectSegment(index);
        }
    });
    connect(view_, &WaveformView::edgeMoved, this, &SegmentsWindow::onEdgeMoved);
    connect(overview_, &OverviewStrip::centreRequested, view_, &WaveformView::scrollToSample);
    // A typed cell is taken once its editor has closed, so that the table is not refilled under the editor.
    connect(table_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
        if (!showing_ && item != nullptr) {
            QMetaObject::invokeMethod(
                this,
                [this, row = item->row(), column = item->column(), text = item->text()] {
                    onCellEdited(row, column, text);
                },
                Qt::QueuedConnection);
        }
    });
    connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
        const int row = selectedSegment();
        view_->setSelectedSegment(row);
        if (row >= 0) {
            const Segment& s = list()[static_cast<std::size_t>(row)];
            const double x0 = view_->scale().xAt(static_cast<double>(s.start));
            const double x1 = view_->scale().xAt(static_cast<double>(s.end));
            if (x1 < 0 || x0 > view_->width()) {
                view_->scrollToSample(static_cast<double>(s.start + s.end) / 2.0);
            }
        }
    });
    resize(960, 640);
}

void SegmentsWindow::bindKeys() {
    for (const auto& [key, slot] : std::initializer_list<std::pair<QKeySequence, void (SegmentsWindow::*)()>>{
             {QKeySequence(Qt::Key_Space), &SegmentsWindow::togglePlay},
             {QKeySequence(Qt::Key_Plus), &SegmentsWindow::zoomIn},
             {QKeySequence(Qt::Key_Equal), &SegmentsWindow::zoomIn},
             {QKeySequence(Qt::Key_Minus), &SegmentsWindow::zoomOut},
             {QKeySequence(Qt::CTRL | Qt::Key_Z), &SegmentsWindow::undo},
             {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &SegmentsWindow::redo},
             {QKeySequence(Qt::CTRL | Qt::Key_Y), &SegmentsWindow::redo},
         }) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    }
    // Enter and Esc answer a proposal; otherwise they stay with the table and its editor.
    for (const auto& [key, slot] : std::initializer_list<std::pair<QKeySequence, void (SegmentsWindow::*)()>>{
             {QKeySequence(Qt::Key_Return), &SegmentsWindow::takeProposal},
             {QKeySequence(Qt::Key_Enter), &SegmentsWindow::takeProposal},
             {QKeySequence(Qt::Key_Escape), &SegmentsWindow::dropProposal},
         }) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setEnabled(false);
        connect(shortcut, &QShortcut::activated, this, slot);
        proposalKeys_.push_back(shortcut);
    }
}

// Undo and redo are shortcuts, and where a layout without Latin letters gives the shortcuts nothing to match,
// the key press that reaches the window is matched by the key's place (UndoKeyOf).
void SegmentsWindow::keyPressEvent(QKeyEvent* event) {
    switch (UndoKeyOf(*event)) {
    case UndoKey::Undo:
        undo();
        event->accept();
        return;
    case UndoKey::Redo:
        redo();
        event->accept();
        return;
    case UndoKey::None:
        break;
    }
    QWidget::keyPressEvent(event);
}

void SegmentsWindow::openFile(const std::filesystem::path& file) {
    stopWorker();
    file_ = file;
    peaks_.reset();
    proposal_.reset();
    found_.reset();
    album_.clear();
    history_ = ListHistory();
    view_->setProposedSplits({});
    view_->setSilences({});
    setWindowTitle(QStringLiteral("分段 - ") + QString::fromStdString(file.filename().string()));
    say(QStringLiteral("正在读取波形…"));
    showEnabled();
    showList();
    std::optional<PeakCache> cache;
    if (!setup_.cacheFolder.empty()) {
        cache.emplace(setup_.cacheFolder);
        if (std::optional<PeakLevel> level = cache->load(file); level && level->pixels() > 0) {
            peaksArrived(std::make_shared<const PeakPyramid>(std::move(*level)), true);
            return;
        }
    }
    // One decoding pass for the peaks and the silences (with the settings shown), which the edges snap to
    // and which "检测静音" takes without decoding again while the settings stay.
    FoundSilences settings{threshold_->value(), minSilence_->value(), {}};
    runInBackground([this, file, cache, settings](const std::atomic<bool>& stop) {
        SilenceDetector detector(settings.thresholdDb, settings.minSilenceSeconds);
        DecodedBlockSink* others[] = {&detector};
        std::optional<PeakPyramid> peaks = DecodePeaks(file, cache ? &*cache : nullptr, others, stop);
        std::shared_ptr<const PeakPyramid> shared =
            peaks ? std::make_shared<const PeakPyramid>(std::move(*peaks)) : nullptr;
        FoundSilences found = settings;
        found.silences = detector.silences();
        return std::function<void()>([this, shared, found] {
            if (shared) {
                found_ = found;
                view_->setSilences(found.silences);
                peaksArrived(shared, false);
            } else {
                say(QStringLiteral("无法解码此文件，不能分段。"));
            }
        });
    });
}

void SegmentsWindow::peaksArrived(std::shared_ptr<const PeakPyramid> peaks, bool fromCache) {
    peaks_ = std::move(peaks);
    peaksFromCache_ = fromCache;
    history_ = ListHistory(SegmentList(peaks_->rate(), peaks_->totalSamples()));
    view_->setPeaks(peaks_);
    overview_->setPeaks(peaks_);
    say(QStringLiteral("时长 %1").arg(TimeText(peaks_->totalSamples(), peaks_->rate())));
    showList();
    showEnabled();
    emit peaksReady();
}

void SegmentsWindow::stopWorker() {
    if (worker_.joinable()) {
        stop_ = true;
        cancel_ = true;
        worker_.join();
        ++generation_;
    }
    stop_ = false;
    cancel_ = false;
    workerDone_ = true;
}

void SegmentsWindow::runInBackground(BackgroundWork work) {
    stopWorker();
    workerDone_ = false;
    const std::uint64_t generation = ++generation_;
    worker_ = std::thread([this, generation, work = std::move(work)]() mutable {
        auto done = work(stop_);
        QMetaObject::invokeMethod(
            this,
            [this, generation, done = std::move(done)]() mutable {
                if (generation != generation_) {
                    return;
                }
                workerDone_ = true;
                if (worker_.joinable()) {
                    worker_.join();
                }
                done();
                showEnabled();
            },
            Qt::QueuedConnection);
    });
    showEnabled();
}

void SegmentsWindow::say(const QString& text) {
    status_->setText(text);
}

void SegmentsWindow::showEnabled() {
    const bool idle = ready() && !busy();
    for (QPushButton* button : listCommands_) {
        button->setEnabled(idle);
    }
    takeButton_->setEnabled(idle && proposal_.has_value());
    dropButton_->setEnabled(idle && proposal_.has_value());
    for (QShortcut* key : proposalKeys_) {
        key->setEnabled(idle && proposal_.has_value());
    }
    table_->setEnabled(idle);
}

void SegmentsWindow::showList() {
    const SegmentList& l = list();
    const int selected = selectedSegment();
    showing_ = true;
    table_->setRowCount(static_cast<int>(l.size()));
    for (std::size_t i = 0; i < l.size(); ++i) {
        const int row = static_cast<int>(i);
        const QString texts[kColumns] = {TimeText(l[i].start, l.rate()), TimeText(l[i].end, l.rate()),
                                         TimeText(l[i].length(), l.rate()),
                                         QString::fromStdString(l[i].title)};
        for (int c = 0; c < kColumns; ++c) {
            QTableWidgetItem* item = table_->item(row, c);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                table_->setItem(row, c, item);
            }
            item->setText(texts[c]);
        }
    }
    showing_ = false;
    if (selected >= static_cast<int>(l.size())) {
        table_->clearSelection();
    }
    view_->setList(l);
    overview_->setList(l);
    view_->setSelectedSegment(selectedSegment());
}

int SegmentsWindow::selectedSegment() const {
    const QList<QTableWidgetItem*> items = table_->selectedItems();
    return items.isEmpty() ? -1 : items.front()->row();
}

void SegmentsWindow::selectSegment(int index) {
    if (index >= 0 && index < table_->rowCount()) {
        table_->selectRow(index);
    } else {
        table_->clearSelection();
    }
}

std::int64_t SegmentsWindow::playSample() const {
    if (setup_.player == nullptr || !setup_.player->available() || !ready()) {
        return -1;
    }
    return std::clamp<std::int64_t>(list().sampleAt(setup_.player->position()), 0, list().totalSamples());
}

void SegmentsWindow::showTime() {
    if (!ready()) {
        position_->setText(QStringLiteral("播放位置 -:--:--.---"));
        pointer_->clear();
        return;
    }
    std::int64_t play = playSample();
    if (play < 0) {
        play = 0;
    } else {
        view_->setPlayPosition(play);
        overview_->setPlayPosition(play);
    }
    position_->setText(QStringLiteral("播放位置 ") + TimeText(play, list().rate()));
    const std::optional<std::int64_t> at = view_->pointerSample();
    pointer_->setText(at ? QStringLiteral("指针 ") + TimeText(*at, list().rate()) : QString());
}

void SegmentsWindow::onCellEdited(int row, int column, const QString& text) {
    const auto index = static_cast<std::size_t>(row);
    if (row < 0 || index >= list().size()) {
        return;
    }
    const Segment& s = list()[index];
    SegmentList next = list();
    if (column == kTitle) {
        apply(next.setTitle(index, text.trimmed().toStdString()), next, QStringLiteral("已改标题"));
        return;
    }
    const std::optional<double> seconds = ParseTime(text.toStdString());
    if (!seconds) {
        say(QStringLiteral("“%1”不是时间：请写成 h:mm:ss.mmm、mm:ss 或秒数。").arg(text));
        showList();
        return;
    }
    const std::int64_t sample = next.sampleAt(*seconds);
    const std::int64_t start = column == kStart ? sample : s.start;
    const std::int64_t end = column == kEnd ? sample : column == kLength ? s.start + sample : s.end;
    apply(next.setBounds(index, start, end), next, QStringLiteral("已改第 %1 段的时间").arg(index + 1));
}

void SegmentsWindow::onEdgeMoved(int segment, bool endEdge, std::int64_t sample) {
    if (segment < 0 || static_cast<std::size_t>(segment) >= list().size()) {
        return;
    }
    const Segment& s = list()[static_cast<std::size_t>(segment)];
    SegmentList next = list();
    apply(next.setBounds(static_cast<std::size_t>(segment), endEdge ? s.start : sample,
                         endEdge ? sample : s.end),
          next,
          QStringLiteral("已移动第 %1 段的%2")
              .arg(segment + 1)
              .arg(endEdge ? QStringLiteral("终点") : QStringLiteral("起点")));
}

void SegmentsWindow::togglePlay() {
    if (setup_.player == nullptr || !setup_.player->available()) {
        say(QStringLiteral("主窗口的播放器没有打开这个文件。"));
        return;
    }
    if (setup_.player->playing()) {
        setup_.player->pause();
    } else {
        setup_.player->play();
    }
}

void SegmentsWindow::zoomIn() {
    view_->zoomAroundSample(static_cast<double>(std::max<std::int64_t>(playSample(), 0)), 0.5);
}

void SegmentsWindow::zoomOut() {
    view_->zoomAroundSample(static_cast<double>(std::max<std::int64_t>(playSample(), 0)), 2.0);
}

void SegmentsWindow::restorePlace() {
    if (setup_.settingsFile.empty()) {
        return;
    }
    auto value = [this](const char* key) {
        return QString::fromStdString(
                   GetPrivateProfileString(kSettingsSection, key, "", 32, setup_.settingsFile))
            .toInt();
    };
    const int w = value("width"), h = value("height");
    if (w >= 320 && h >= 240) {
        resize(w, h);
        const QPoint place(value("left"), value("top"));
        const QScreen* screen = QGuiApplication::screenAt(place);
        if (screen != nullptr) {
            move(place);
        }
    }
}

void SegmentsWindow::keepPlace() {
    if (setup_.settingsFile.empty()) {
        return;
    }
    const QRect place = geometry();
    for (const auto& [key, value] :
         {std::pair{"left", place.x()}, std::pair{"top", place.y()}, std::pair{"width", place.width()},
          std::pair{"height", place.height()}}) {
        WritePrivateProfileString(kSettingsSection, key, std::to_string(value), setup_.settingsFile);
    }
}

bool SegmentsWindow::confirmDrop() {
    if (!history_.unsaved() || list().empty()) {
        return true;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("分段"),
                    QStringLiteral("分段列表已更改，尚未导出。要丢弃这些更改吗？"),
                    QMessageBox::Yes | QMessageBox::No, this);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void SegmentsWindow::closeEvent(QCloseEvent* event) {
    if (!confirmDrop()) {
        event->ignore();
        return;
    }
    keepPlace();
    event->accept();
}

} // namespace trimvox
