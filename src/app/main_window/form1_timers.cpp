// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's two timers: the file information after the open command, and the playing position.
#include "app/main_window/form1.h"
#include "app/main_window/seconds_text.h"
#include "common/number_text.h"
#include "controls/player/media_player.h"
#include "platform/fs/data_folder.h"

#include <QLabel>
#include <QTimer>
#include <system_error>

namespace trimvox {

namespace {
constexpr int kPlaying = 3;

void SetText(QLabel* label, const QString& text) {
    if (label != nullptr) {
        label->setText(text);
    }
}
} // namespace

void Form1::Timer1_Timer() {
    if (controls_.Timer1 != nullptr) {
        controls_.Timer1->stop(); // one tick per open command
    }
    if (controls_.wmp != nullptr) {
        const MediaItem& media = controls_.wmp->currentMedia();
        SetText(controls_.Label1, QStringLiteral("名称：") + media.getItemInfo(QStringLiteral("Title")));
        SetText(controls_.Label2,
                QStringLiteral("文件类型：") + media.getItemInfo(QStringLiteral("FileType")));
        SetText(controls_.Label3, QStringLiteral("时长：") + SecondsText(media.duration()));
    }
    SetText(controls_.Label5, QStringLiteral("起始点："));
    SetText(controls_.Label6, QStringLiteral("结束点："));
    SetText(controls_.Label7, QStringLiteral("截取时长："));
    StartPos = 0.0;
    EndPos = 0.0;
    if (controls_.wmp != nullptr) {
        controls_.wmp->clearMarks();
    }
    std::error_code ignored;
    std::filesystem::remove(DataFile(kPreviewFileName), ignored);
}

void Form1::ShowDuration() {
    if (controls_.wmp == nullptr || (controls_.Timer1 != nullptr && controls_.Timer1->isActive())) {
        return; // the tick to come shows it
    }
    SetText(controls_.Label3,
            QStringLiteral("时长：") + SecondsText(controls_.wmp->currentMedia().duration()));
}

void Form1::Timer2_Timer() {
    if (controls_.wmp == nullptr || controls_.wmp->playState() != kPlaying) {
        return; // the label keeps the last position seen while playing
    }
    SetText(controls_.Label4,
            QStringLiteral("当前位置：") + SecondsText(controls_.wmp->controls().currentPosition()));
}

} // namespace trimvox
