// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/preview/form2.h"

#include "app/design/centre_on_screen.h"
#include "app/dialogs/message_box.h"
#include "app/main_window/form1.h"
#include "controls/player/media_player.h"
#include "platform/fs/data_folder.h"
#include "platform/fs/file_exists.h"

#include <QPixmapCache>
#include <QTimer>

namespace trimvox {

namespace {
constexpr int kClientWidth = 273;  // 4095 twips
constexpr int kClientHeight = 138; // 2070 twips
constexpr int kPlayerHeight = 137; // 2055 twips: one pixel of the window shows below the player

QString PreviewPath() {
    return QString::fromStdString(DataFile(kPreviewFileName).string());
}
} // namespace

Form2::Form2(Form1& main) : QDialog(nullptr), main_(main) {
    setWindowTitle(QStringLiteral("预览"));
    // Fixed single border with only the close button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    wmp_ = new MediaPlayer(this);
    wmp_->setObjectName(QStringLiteral("wmp"));
    wmp_->setGeometry(0, 0, kClientWidth, kPlayerHeight);
    Timer1_ = new QTimer(this);
    Timer1_->setInterval(100);
    connect(Timer1_, &QTimer::timeout, this, &Form2::Timer1_Timer);
    Timer1_->start();
}

Form2::~Form2() {
    // Under the skin's style sheet every widget gets a palette of its own, and Qt's style keys the pixmaps
    // it draws (slider grooves, handles, button frames) by palette: this window's pixmaps would never be
    // drawn again, yet would stay in the pixmap cache until it is full (10 MiB), growing the program by
    // every preview. The main window's are drawn anew at its next paint.
    QPixmapCache::clear();
}

void Form2::showEvent(QShowEvent* event) {
    if (!loaded_) {
        loaded_ = true;
        Form_Load();
    }
    QDialog::showEvent(event);
}

void Form2::Form_Load() {
    setWindowIcon(main_.windowIcon());
    CentreOnScreen(*this, main_.screen());
    play();
}

void Form2::play() {
    wmp_->setURL(PreviewPath());
    wmp_->controls().play();
}

void Form2::Timer1_Timer() {
    if (FileExists(DataFile(kPreviewFileName))) {
        return;
    }
    wmp_->setURL(QString()); // releases the file
    wmp_->controls().stop();
    Timer1_->stop(); // no second cut while this one runs on its thread
    const CutResult result = main_.CutPreview();
    if (!result.ok()) {
        // Cutting again would fail the same way every 100 ms: say why once and close the preview.
        if (result.error != CutError::Cancelled) {
            ShowMessage(CutFailureMessage(result));
        }
        reject();
        return;
    }
    if (!isVisible()) {
        return; // closed while the cut ran
    }
    Timer1_->start();
    play();
}

void Form2::done(int result) {
    Timer1_->stop();
    wmp_->setURL(QString()); // stops the preview and releases the file at once
    QDialog::done(result);
}

} // namespace trimvox
