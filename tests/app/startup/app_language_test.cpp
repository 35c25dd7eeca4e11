// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup/app_language.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace trimvox {
namespace {

TEST(AppLanguage, QtsOwnTextsAreChinese) {
    ASSERT_TRUE(InstallChineseTranslations());
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Trimvox"), QStringLiteral("x"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')).left(1), QStringLiteral("是"));
}

} // namespace
} // namespace trimvox
