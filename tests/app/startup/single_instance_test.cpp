// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/form1.h"
#include "platform/fs/data_folder.h"
#include "support/dialog_driver.h"
#include "support/temp_data_home.h"

#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QThread>
#include <gtest/gtest.h>
#include <map>

namespace trimvox {
namespace {

using Listing = std::map<std::string, std::filesystem::file_time_type>;

Listing ListDataFolder() {
    Listing listing;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(DataFolder(), error)) {
        listing[entry.path().filename().string()] = entry.last_write_time();
    }
    return listing;
}

TEST(SingleInstance, ASecondStartIsRefusedWithoutTouchingTheDataFolder) {
    test::TempDataHome home;
    // The first instance: the real program in its own process.
    QProcess first;
    first.setProgram(QStringLiteral(TRIMVOX_PROGRAM));
    first.setProcessChannelMode(QProcess::ForwardedChannels);
    first.start();
    ASSERT_TRUE(first.waitForStarted());
    QElapsedTimer clock;
    clock.start();
    while (!std::filesystem::exists(DataFile(kStyleFileName)) && clock.elapsed() < 10000) {
        QThread::msleep(20);
    }
    ASSERT_TRUE(std::filesystem::exists(DataFile(kStyleFileName)));
    QThread::msleep(100);
    const Listing before = ListDataFolder();

    // The second start, in this process.
    test::DialogDriver driver;
    Form1 second;
    EXPECT_FALSE(second.Form_Initialize());
    const auto seen = driver.messages();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, QStringLiteral("程序已经运行！"));
    EXPECT_EQ(seen[0].title, QStringLiteral("禁止多开"));
    EXPECT_EQ(seen[0].icon, QMessageBox::NoIcon);
    EXPECT_EQ(ListDataFolder(), before);

    first.kill();
    first.waitForFinished();

    // The lock of a process that is gone does not keep the program from starting.
    Form1 third;
    EXPECT_TRUE(third.Form_Initialize());
}

} // namespace
} // namespace trimvox
