// SPDX-License-Identifier: GPL-3.0-or-later
// The segments window's commands: every change to the list goes through commit, so undo and redo see it.
#include "app/segments/playback_port.h"
#include "app/segments/segments_window.h"
#include "platform/fs/atomic_output.h"
#include "platform/fs/byte_file.h"
#include "split/chapter_list.h"
#include "split/cue_sheet.h"
#include "split/equal_parts.h"
#include "split/label_file.h"
#include "split/piece_names.h"
#include "split/silence_detection.h"
#include "split/time_text.h"

#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <algorithm>

namespace trimvox {

namespace {

constexpr double kEdgeListenSeconds = 1.0; // each side of an edge: 2 s in all

QString RefusalText(ListRefusal refusal) {
    switch (refusal) {
    case ListRefusal::None:
        return {};
    case ListRefusal::EmptySegment:
        return QStringLiteral("起点必须早于终点。");
    case ListRefusal::OutOfRange:
        return QStringLiteral("时间超出了文件的范围。");
    case ListRefusal::Overlap:
        return QStringLiteral("与另一段重叠。");
    case ListRefusal::NoSuchSegment:
        return QStringLiteral("请先选中一段。");
    case ListRefusal::NotInside:
        return QStringLiteral("播放位置不在任何一段之内。");
    case ListRefusal::NoNext:
        return QStringLiteral("这是最后一段，后面没有可合并的段。");
    }
    return {};
}

QString ExportErrorText(const ExportOutcome& outcome) {
    switch (outcome.error) {
    case ExportError::None:
        return {};
    case ExportError::BadTemplate:
        return QStringLiteral("文件名模板有误");
    case ExportError::FolderUnusable:
        return QStringLiteral("无法写入所选文件夹");
    case ExportError::TargetExists:
        return QStringLiteral("文件已存在，未作任何写入");
    case ExportError::CutFailed:
        return QStringLiteral("第 %1 段剪切失败").arg(outcome.failedPiece + 1);
    case ExportError::TagFailed:
        return QStringLiteral("第 %1 段写入标签失败").arg(outcome.failedPiece + 1);
    case ExportError::Cancelled:
        return QStringLiteral("已取消");
    }
    return {};
}

} // namespace

void SegmentsWindow::commit(SegmentList next, const QString& done) {
    if (history_.commit(std::move(next))) {
        say(done);
        showList();
        emit listChanged();
    }
}

bool SegmentsWindow::apply(ListRefusal refusal, SegmentList& next, const QString& done) {
    if (refusal != ListRefusal::None) {
        say(RefusalText(refusal));
        showList(); // a refused typed time goes back to what it was
        return false;
    }
    commit(std::move(next), done);
    return true;
}

void SegmentsWindow::addSegment() {
    if (!ready()) {
        return;
    }
    SegmentList next = list();
    std::optional<std::pair<std::int64_t, std::int64_t>> span = view_->selection();
    QString from = QStringLiteral("选区");
    if (!span && setup_.marks) {
        if (const auto marks = setup_.marks()) {
            span = std::make_pair(next.sampleAt(marks->first), next.sampleAt(marks->second));
            from = QStringLiteral("主窗口的起始点和结束点");
        }
    }
    if (!span) {
        say(QStringLiteral("请先在波形上按住 Ctrl 拖出一个选区，或在主窗口标出起始点和结束点。"));
        return;
    }
    const std::int64_t start = std::clamp<std::int64_t>(span->first, 0, next.totalSamples());
    const std::int64_t end = std::clamp<std::int64_t>(span->second, 0, next.totalSamples());
    if (apply(next.add(Segment{start, end, {}, {}}), next, QStringLiteral("已按%1添加一段").arg(from))) {
        view_->clearSelection();
        for (std::size_t i = 0; i < list().size(); ++i) {
            if (list()[i].start == start) {
                selectSegment(static_cast<int>(i));
            }
        }
    }
}

void SegmentsWindow::splitAtPlayPosition() {
    if (!ready()) {
        return;
    }
    const std::int64_t at =
        playSample() >= 0 ? playSample() : view_->scale().sampleIndexAt(view_->width() / 2.0);
    SegmentList next = list();
    apply(next.splitAt(at), next,
          QStringLiteral("已在 %1 分割").arg(QString::fromStdString(FormatTime(at, next.rate()))));
}

void SegmentsWindow::removeSelected() {
    const int row = selectedSegment();
    SegmentList next = list();
    if (apply(next.remove(static_cast<std::size_t>(row < 0 ? list().size() : row)), next,
              QStringLiteral("已删除第 %1 段").arg(row + 1))) {
        selectSegment(std::min(row, static_cast<int>(list().size()) - 1));
    }
}

void SegmentsWindow::mergeSelected() {
    const int row = selectedSegment();
    SegmentList next = list();
    if (apply(next.mergeWithNext(static_cast<std::size_t>(row < 0 ? list().size() : row)), next,
              QStringLiteral("已把第 %1 段与下一段合并").arg(row + 1))) {
        selectSegment(row);
    }
}

void SegmentsWindow::detectSilence() {
    if (!ready() || busy()) {
        return;
    }
    SilenceOptions options;
    options.thresholdDb = threshold_->value();
    options.minSilenceSeconds = minSilence_->value();
    options.minPieceSeconds = minPiece_->value();
    proposal_.reset();
    view_->setProposedSplits({});
    if (found_ && found_->thresholdDb == options.thresholdDb &&
        found_->minSilenceSeconds == options.minSilenceSeconds) {
        // Found by the pass that made the peaks.
        showProposal(PiecesFromSilences(found_->silences, list().rate(), list().totalSamples(), options));
        return;
    }
    say(QStringLiteral("正在检测静音…"));
    const std::filesystem::path file = file_;
    runInBackground([this, file, options](const std::atomic<bool>& stop) {
        std::optional<SilenceReport> report = DetectSilence(file, options, stop);
        return std::function<void()>([this, options, report = std::move(report)] {
            if (!report) {
                say(QStringLiteral("无法解码此文件。"));
                showEnabled();
                emit detectionFinished();
                return;
            }
            found_ = FoundSilences{options.thresholdDb, options.minSilenceSeconds, report->silences};
            showProposal(*report);
        });
    });
}

void SegmentsWindow::showProposal(SilenceReport report) {
    std::vector<std::int64_t> splits;
    for (std::size_t i = 1; i < report.pieces.size(); ++i) {
        splits.push_back(report.pieces[i].start);
    }
    view_->setProposedSplits(std::move(splits));
    view_->setSilences(report.silences);
    say(QStringLiteral("找到 %1 处静音，分成 %2 段（虚线）。按“采用”(Enter) 替换当前列表，“放弃”(Esc) 不用。")
            .arg(report.silences.size())
            .arg(report.pieces.size()));
    proposal_ = std::move(report);
    showEnabled();
    emit detectionFinished();
}

void SegmentsWindow::takeProposal() {
    if (!proposal_ || busy()) {
        return;
    }
    SegmentList pieces = proposal_->pieces;
    proposal_.reset();
    view_->setProposedSplits({});
    commit(std::move(pieces), QStringLiteral("已按静音分段"));
    showEnabled();
}

void SegmentsWindow::dropProposal() {
    if (proposal_) {
        proposal_.reset();
        view_->setProposedSplits({});
        say(QStringLiteral("已放弃找到的分割"));
        showEnabled();
    }
}

void SegmentsWindow::equalParts() {
    if (!ready()) {
        return;
    }
    if (std::optional<SegmentList> parts =
            EqualParts(list().rate(), list().totalSamples(), parts_->value())) {
        commit(std::move(*parts), QStringLiteral("已等分为 %1 段").arg(parts_->value()));
    } else {
        say(QStringLiteral("文件太短，分不成 %1 段。").arg(parts_->value()));
    }
}

void SegmentsWindow::importListFile(const std::filesystem::path& path) {
    if (!ready()) {
        return;
    }
    const std::optional<Bytes> bytes = ReadWholeFile(path, 16u << 20);
    if (!bytes) {
        say(QStringLiteral("无法读取 %1。").arg(QString::fromStdString(path.filename().string())));
        return;
    }
    const std::string_view text(reinterpret_cast<const char*>(bytes->data()), bytes->size());
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    ImportResult result;
    if (extension == ".cue") {
        result = ReadCueSheet(text, list().rate(), list().totalSamples());
    } else {
        result = ReadLabelFile(text, list().rate(), list().totalSamples());
        if (!result.ok()) {
            ImportResult chapters = ReadChapterList(text, list().rate(), list().totalSamples());
            if (chapters.ok()) {
                result = std::move(chapters);
            }
        }
    }
    if (!result.ok()) {
        say(QStringLiteral("无法导入：%1").arg(QString::fromStdString(Describe(*result.error))));
        return;
    }
    album_ = result.imported.album;
    commit(std::move(result.imported.list),
           QStringLiteral("已导入 %1").arg(QString::fromStdString(path.filename().string())));
}

void SegmentsWindow::exportListFile(const std::filesystem::path& path) {
    if (!ready()) {
        return;
    }
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return std::tolower(c); });
    const std::string text = extension == ".cue" ? WriteCueSheet(list(), file_.filename().string(), album_)
                                                 : WriteLabelFile(list());
    const std::string failure = WriteFileAtomically(path, [&](int fd) {
        return WriteAllBytes(fd, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    });
    if (!failure.empty()) {
        say(QStringLiteral("无法写入 %1：%2")
                .arg(QString::fromStdString(path.string()), QString::fromStdString(failure)));
        return;
    }
    history_.markSaved();
    say(QStringLiteral("已导出列表到 %1").arg(QString::fromStdString(path.filename().string())));
}

void SegmentsWindow::exportAllTo(const std::filesystem::path& folder) {
    if (!ready() || busy()) {
        return;
    }
    if (list().empty()) {
        say(QStringLiteral("列表是空的，没有可导出的段。"));
        return;
    }
    if (!setup_.exportAll) {
        say(QStringLiteral("无法导出。"));
        return;
    }
    const std::string nameTemplate = template_->text().trimmed().toStdString();
    if (!nameTemplate.empty()) {
        if (const auto problem = TemplateProblem(nameTemplate)) {
            say(QStringLiteral("文件名模板有误：%1").arg(QString::fromStdString(*problem)));
            return;
        }
    }
    ExportRequest request;
    request.source = file_;
    request.list = list();
    request.folder = folder;
    request.nameTemplate = nameTemplate;
    request.album = album_;
    progress_->setRange(0, static_cast<int>(list().size()));
    progress_->setValue(0);
    progress_->show();
    cancelButton_->show();
    cancelButton_->setEnabled(true);
    say(QStringLiteral("正在导出…"));
    const ExportAllFn exportAll = setup_.exportAll;
    runInBackground([this, request, exportAll](const std::atomic<bool>&) {
        const ExportProgressFn progress = [this](const ExportProgress& step) {
            QMetaObject::invokeMethod(
                this, [this, step] { progress_->setValue(static_cast<int>(step.piece)); },
                Qt::QueuedConnection);
            return !cancel_.load();
        };
        ExportOutcome outcome = exportAll(request, progress);
        return std::function<void()>([this, outcome = std::move(outcome)] {
            progress_->hide();
            cancelButton_->hide();
            if (outcome.ok()) {
                history_.markSaved();
                say(QStringLiteral("已导出 %1 个文件。").arg(outcome.written.size()));
            } else {
                say(QStringLiteral("导出未完成：%1（已写入 %2 个文件）。%3")
                        .arg(ExportErrorText(outcome))
                        .arg(outcome.written.size())
                        .arg(QString::fromStdString(outcome.detail)));
            }
            emit exportFinished(outcome.ok());
        });
    });
    cancelButton_->setEnabled(true);
}

void SegmentsWindow::cancelExport() {
    cancel_ = true;
    cancelButton_->setEnabled(false);
}

void SegmentsWindow::undo() {
    if (!busy() && history_.undo()) {
        say(QStringLiteral("已撤销"));
        showList();
        emit listChanged();
    }
}

void SegmentsWindow::redo() {
    if (!busy() && history_.redo()) {
        say(QStringLiteral("已重做"));
        showList();
        emit listChanged();
    }
}

void SegmentsWindow::playSegment() {
    const int row = selectedSegment();
    if (row < 0 || setup_.player == nullptr || !setup_.player->available()) {
        say(row < 0 ? RefusalText(ListRefusal::NoSuchSegment)
                    : QStringLiteral("主窗口的播放器没有打开这个文件。"));
        return;
    }
    const Segment& s = list()[static_cast<std::size_t>(row)];
    setup_.player->playRange(list().secondsAt(s.start), list().secondsAt(s.end));
}

void SegmentsWindow::playStartEdge() {
    const int row = selectedSegment();
    if (row >= 0 && setup_.player != nullptr && setup_.player->available()) {
        const double at = list().secondsAt(list()[static_cast<std::size_t>(row)].start);
        setup_.player->playRange(std::max(0.0, at - kEdgeListenSeconds), at + kEdgeListenSeconds);
    }
}

void SegmentsWindow::playEndEdge() {
    const int row = selectedSegment();
    if (row >= 0 && setup_.player != nullptr && setup_.player->available()) {
        const double at = list().secondsAt(list()[static_cast<std::size_t>(row)].end);
        setup_.player->playRange(std::max(0.0, at - kEdgeListenSeconds), at + kEdgeListenSeconds);
    }
}

void SegmentsWindow::importWithDialog() {
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("导入分段列表"),
                                                      QString::fromStdString(file_.parent_path().string()),
                                                      QStringLiteral("分段列表 (*.cue *.txt);;所有文件 (*)"));
    if (!path.isEmpty()) {
        importListFile(path.toStdString());
    }
}

void SegmentsWindow::exportListWithDialog() {
    const std::filesystem::path suggested = std::filesystem::path(file_).replace_extension(".cue");
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("导出分段列表"),
                                                QString::fromStdString(suggested.string()),
                                                QStringLiteral("CUE 文件 (*.cue);;Audacity 标签 (*.txt)"));
    if (!path.isEmpty()) {
        exportListFile(path.toStdString());
    }
}

void SegmentsWindow::exportAllWithDialog() {
    const QString folder = QFileDialog::getExistingDirectory(
        this, QStringLiteral("导出到文件夹"), QString::fromStdString(file_.parent_path().string()));
    if (!folder.isEmpty()) {
        exportAllTo(folder.toStdString());
    }
}

} // namespace trimvox
