// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/form1.h"

#include "app/design/centre_on_screen.h"
#include "app/dialogs/message_box.h"
#include "app/main_window/main_window_keys.h"
#include "app/main_window/mp3_drop.h"
#include "app/startup/startup_sequence.h"
#include "controls/player/media_player.h"
#include "platform/fs/data_folder.h"
#include "platform/resources/resource_table.h"

#include <QLabel>
#include <QTimer>

namespace trimvox {

Form1::Form1(QWidget* parent) : QWidget(parent) {
    skin_ = std::make_unique<SkinEngineBinding>(DataFile(kSkinEngineFileName),
                                                LoadCustomResource(kSkinEngineResource).value_or(Bytes{}));
    controls_ = BuildForm1Design(*this);
    for (std::size_t i = 0; i < controls_.mxb.size(); ++i) {
        if (controls_.mxb[i] != nullptr) {
            connect(controls_.mxb[i], &mxbutton::mxbutton::Click, this, &Form1::mxb_Click);
        }
    }
    if (controls_.Label8 != nullptr) {
        connect(controls_.Label8, &ClickableLabel::Click, this, &Form1::Label8_Click);
    }
    if (controls_.Timer1 != nullptr) {
        connect(controls_.Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    }
    if (controls_.Timer2 != nullptr) {
        connect(controls_.Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    }
    if (controls_.wmp != nullptr) {
        connect(controls_.wmp, &MediaPlayer::durationChange, this, &Form1::ShowDuration);
    }
    setAcceptDrops(true);
    installEventFilter(new Mp3DropFilter(
        this, [this](const QString& path) { OpenChosenFile(path); },
        [](const QString& why) { ShowMessage(why); }));
    InstallMainWindowKeys(*this);
    SetUpContextMenu();
}

Form1::~Form1() = default;

bool Form1::Form_Initialize(const QString& fileToHandOver) {
    if (!instance_.TryAcquire()) {
        if (!fileToHandOver.isEmpty() && HandOverFile(instance_.HandOverSocketPath(), fileToHandOver)) {
            return false;
        }
        ShowMessage(QStringLiteral("程序已经运行！"), QStringLiteral("禁止多开"));
        return false;
    }
    if (instance_.HoldsLock()) {
        handOver_ = std::make_unique<HandOverServer>();
        connect(handOver_.get(), &HandOverServer::FileHandedOver, this, &Form1::OpenHandedOverFile);
        handOver_->Listen(instance_.HandOverSocketPath());
    }
    PrepareDataFolderAndSkin(*skin_);
    return true;
}

void Form1::Form_Load() {
    CentreOnScreen(*this, screen());
}

} // namespace trimvox
