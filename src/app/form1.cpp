#include "app/form1.h"

#include "app/message_box.h"
#include "app/startup_sequence.h"
#include "platform/fs/data_folder.h"
#include "platform/resources/resource_table.h"

#include <QGuiApplication>
#include <QScreen>

namespace trimvox {

namespace {
constexpr int kClientWidth = 568;  // 8520 twips
constexpr int kClientHeight = 265; // 3975 twips
} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    setWindowTitle(kAppTitle);
    // Fixed single border: minimize and close, no maximize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    skin_ = std::make_unique<SkinEngineBinding>(DataFile(kSkinEngineFileName),
                                                LoadCustomResource(kSkinEngineResource).value_or(Bytes{}));
}

Form1::~Form1() = default;

bool Form1::Form_Initialize() {
    if (!instance_.TryAcquire()) {
        ShowMessage(QStringLiteral("程序已经运行！"), QStringLiteral("禁止多开"));
        return false;
    }
    PrepareDataFolderAndSkin(*skin_);
    return true;
}

void Form1::Form_Load() {
    const QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return;
    }
    const QRect area = screen->geometry();
    move(area.x() + (area.width() - frameGeometry().width()) / 2,
         area.y() + (area.height() - frameGeometry().height()) / 2);
}

} // namespace trimvox
