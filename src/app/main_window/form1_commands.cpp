// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's six commands and the credit line.
#include "app/dialogs/chosen_path.h"
#include "app/dialogs/file_dialog.h"
#include "app/dialogs/message_box.h"
#include "app/main_window/cut_in_background.h"
#include "app/main_window/form1.h"
#include "app/main_window/saved_path.h"
#include "app/main_window/seconds_text.h"
#include "app/preview/form2.h"
#include "common/number_text.h"
#include "common/path_text.h"
#include "controls/player/media_player.h"
#include "cutting/cut_preview.h"
#include "platform/fs/byte_file.h"
#include "platform/fs/data_folder.h"
#include "platform/fs/file_copy.h"
#include "platform/fs/file_exists.h"
#include "platform/resources/resource_table.h"
#include "settings/cut_setting.h"
#include "settings/last_folder.h"
#include "settings/mymode.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QLabel>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace trimvox {

namespace {

const QString kDialogTitle = QStringLiteral("请选择主文件");
const QString kMp3Filter = QStringLiteral("*.mp3|*.mp3");

// The bytes a path text names (names that are not UTF-8 are carried escaped, see common/path_text.h).
std::string BytesOf(const QString& text) {
    return PathBytes(text.toStdU16String());
}

// A path as the user reads it.
QString Shown(const QString& text) {
    return QString::fromStdString(DisplayName(BytesOf(text)));
}

} // namespace

QString CutFailureMessage(const CutResult& result) {
    const QString detail = QString::fromStdString(result.detail);
    QString reason;
    switch (result.error) {
    case CutError::None:
        return {};
    case CutError::BadDuration:
        reason = QStringLiteral("无法得到文件的时长，请先打开一个能播放的文件。");
        break;
    case CutError::BadMarks:
        reason = QStringLiteral("时间出错");
        break;
    case CutError::SourceUnreadable:
        reason = QStringLiteral("无法读取源文件（%1）。").arg(detail);
        break;
    case CutError::EmptySegment:
        reason = QStringLiteral("起始点已超出文件末尾。");
        break;
    case CutError::OutputUnwritable:
        reason = QStringLiteral("无法写入预览文件（%1）。").arg(detail);
        break;
    case CutError::NoAudioFrames:
        reason = QStringLiteral("源文件中找不到连续的 MPEG 音频帧，无法精确剪切。");
        break;
    case CutError::FreeFormat:
        reason = QStringLiteral("源文件是自由格式（free format）的 MPEG 音频，无法精确剪切。");
        break;
    case CutError::MixedFormat:
        reason = QStringLiteral("源文件中途改变了采样率或 MPEG 版本，无法精确剪切。");
        break;
    case CutError::SameFile:
        reason = QStringLiteral("源文件就是预览文件。");
        break;
    case CutError::Cancelled:
        return {}; // the user called it off: nothing to say
    case CutError::SourceShrank:
        reason = QStringLiteral("源文件在截取时变短了，未写入预览文件。");
        break;
    }
    return QStringLiteral("截取失败：") + reason;
}

void Form1::mxb_Click(int Index) {
    if (cutRunning_) {
        return; // the commands wait until the cut for the preview has ended
    }
    switch (Index) {
    case 0:
        OpenFile();
        break;
    case 1:
        MarkStart();
        break;
    case 2:
        MarkEnd();
        break;
    case 3:
        CutAndPreview();
        break;
    case 4:
        SavePreview();
        break;
    case 5:
        ChangeSkin();
        break;
    default:
        break; // not one of ours
    }
}

void Form1::OpenFile() {
    OpenChosenFile(modpath::FileDialog(0, kDialogTitle, kMp3Filter, {}, {},
                                       modpath::DialogFolder(mymode::LoadLastFolder()), {}, this));
}

void Form1::OpenChosenFile(const QString& path) {
    if (!path.isEmpty() && controls_.wmp != nullptr) {
        controls_.wmp->setURL(path);
        controls_.wmp->controls().play();
    }
    if (!path.isEmpty()) {
        mymode::SaveLastFolder(BytesOf(path));
    }
    // Also after a cancelled dialog: the next tick shows what is loaded and clears the marks.
    if (controls_.Timer1 != nullptr) {
        controls_.Timer1->start();
    }
}

void Form1::MarkStart() {
    if (controls_.wmp != nullptr) {
        StartPos = controls_.wmp->controls().currentPosition();
        controls_.wmp->setStartMark(StartPos);
    }
    if (controls_.Label5 != nullptr) {
        controls_.Label5->setText(QStringLiteral("起始点：") + SecondsText(StartPos));
    }
    ShowCutLength();
}

void Form1::MarkEnd() {
    if (controls_.wmp != nullptr) {
        EndPos = controls_.wmp->controls().currentPosition();
        controls_.wmp->setEndMark(EndPos);
    }
    if (controls_.Label6 != nullptr) {
        controls_.Label6->setText(QStringLiteral("结束点：") + SecondsText(EndPos));
    }
    ShowCutLength();
}

void Form1::ShowCutLength() {
    if (controls_.Label7 == nullptr) {
        return;
    }
    // Both marks set since the file was opened: their span, whichever of them changed last.
    const bool bothMarked = controls_.wmp != nullptr && controls_.wmp->startMark().has_value() &&
                            controls_.wmp->endMark().has_value();
    controls_.Label7->setText(QStringLiteral("截取时长：") +
                              (bothMarked ? SecondsText(EndPos - StartPos) : QString()));
}

CutResult Form1::CutPreview() {
    PreviewCut cut;
    if (controls_.wmp != nullptr) {
        const MediaItem& media = controls_.wmp->currentMedia();
        cut.duration = media.duration();
        cut.sourceUrl = BytesOf(media.getItemInfo(QStringLiteral("sourceURL")));
    }
    cut.startPos = StartPos;
    cut.endPos = EndPos;
    cut.mode = mymode::LoadPreciseCutSetting() ? CutMode::Precise : CutMode::Bytes;
    // Off the GUI thread; the window that waits for it (the preview window too) owns its progress.
    QWidget* owner = QApplication::activeModalWidget() != nullptr ? QApplication::activeModalWidget() : this;
    cutRunning_ = true;
    const CutResult result = CutPreviewInBackground(cut, owner);
    cutRunning_ = false;
    return result;
}

void Form1::CutAndPreview() {
    // Equal marks, an end before the start, or an undefined number all fail this test.
    if (!(EndPos > StartPos)) {
        ShowMessage(QStringLiteral("时间出错"));
        return;
    }
    // A second press while the first preview command waits (in the pending messages below) would open a
    // second preview over the first: it is left out.
    if (previewRunning_) {
        return;
    }
    previewRunning_ = true;
    const CutResult result = CutPreview();
    if (!result.ok()) {
        previewRunning_ = false;
        if (result.error != CutError::Cancelled) {
            ShowMessage(CutFailureMessage(result));
        }
        return;
    }
    // A short wait in which the windows keep repainting (the user's input waits).
    QEventLoop pause;
    QTimer::singleShot(200, &pause, &QEventLoop::quit);
    pause.exec(QEventLoop::ExcludeUserInputEvents);
    QApplication::processEvents();
    if (controls_.wmp != nullptr) {
        controls_.wmp->controls().pause();
    }
    Form2 preview(*this);
    preview.exec();
    previewRunning_ = false;
}

void Form1::SavePreview() {
    const std::filesystem::path previewFile = DataFile(kPreviewFileName);
    const auto previewMissing = [&previewFile] {
        if (FileExists(previewFile)) {
            return false;
        }
        ShowMessage(QStringLiteral("请先截取预览！"), QStringLiteral("未保存"));
        return true;
    };
    if (previewMissing()) {
        return;
    }
    const QString chosen = modpath::FileDialog(1, kDialogTitle, kMp3Filter, {}, {}, {}, SavedPath, this);
    if (chosen.isEmpty()) {
        return;
    }
    const QString path = SavedPath(chosen);
    // While the dialog waited, an open command may have deleted the preview.
    if (previewMissing()) {
        return;
    }
    const std::string error = CopyFileReplacing(previewFile, BytesOf(path));
    if (!error.empty()) {
        ShowMessage(
            QStringLiteral("保存失败：无法写入 %1（%2）。").arg(Shown(path), QString::fromStdString(error)));
        return;
    }
    ShowMessage(QStringLiteral("已保存至：") + Shown(path));
}

void Form1::ChangeSkin() {
    const std::filesystem::path styleFile = DataFile(kStyleFileName);
    if (SkinIndex == 0) {
        // The first press of a run stores a skin without showing it.
        WriteNewFile(styleFile, LoadCustomResource(kFirstSkinResource).value_or(Bytes{}));
        SkinIndex = kFirstSkinResource;
    } else {
        if (SkinIndex >= kLastSkinResource) {
            SkinIndex = kFirstSkinResource;
        }
        ++SkinIndex;
        WriteNewFile(styleFile, LoadCustomResource(SkinIndex).value_or(Bytes{}));
        skin_->SkinH_AttachEx(styleFile.string(), "");
    }
    mymode::StyleValue = NumberText(SkinIndex);
    mymode::SaveStyleSetting();
}

void Form1::Label8_Click() {
    OpenUrl(QString::fromLatin1(kHomePage));
}

void Form1::OpenUrl(const QString& address) {
    QDesktopServices::openUrl(QUrl(address));
}

} // namespace trimvox
