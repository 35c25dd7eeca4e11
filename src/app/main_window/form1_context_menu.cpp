// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's context menu: the precise-cut setting.
#include "app/dialogs/message_box.h"
#include "app/main_window/context_menu_watch.h"
#include "app/main_window/form1.h"
#include "settings/cut_setting.h"

#include <QAction>
#include <QMenu>

namespace trimvox {

void Form1::SetUpContextMenu() {
    contextMenu_ = new QMenu(this);
    preciseCut_ = contextMenu_->addAction(QStringLiteral("精确剪切（整帧、时长准确、保留标签）"));
    preciseCut_->setCheckable(true);
    connect(preciseCut_, &QAction::triggered, this, [this](bool on) {
        if (!mymode::SavePreciseCutSetting(on)) {
            preciseCut_->setChecked(!on);
            ShowMessage(QStringLiteral("无法保存设置：无法写入 set.ini。"));
        }
    });
    connect(contextMenu_->addAction(QStringLiteral("分段…")), &QAction::triggered, this,
            &Form1::OpenSegmentsWindow);
    auto* watch = new ContextMenuWatch(*this);
    connect(watch, &ContextMenuWatch::requested, this, &Form1::ShowContextMenu);
}

void Form1::ShowContextMenu(const QPoint& globalPos) {
    preciseCut_->setChecked(mymode::LoadPreciseCutSetting());
    contextMenu_->popup(globalPos);
}

} // namespace trimvox
