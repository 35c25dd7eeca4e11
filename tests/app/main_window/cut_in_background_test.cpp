// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/cut_in_background.h"

#include "platform/fs/data_folder.h"
#include "support/pattern_file.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <filesystem>

#include <gtest/gtest.h>

namespace trimvox {
namespace {

namespace fs = std::filesystem;

QProgressDialog* ShownProgress() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* progress = qobject_cast<QProgressDialog*>(widget);
            progress != nullptr && progress->isVisible()) {
            return progress;
        }
    }
    return nullptr;
}

// The preview's cut runs off the GUI thread: the window goes on repainting; a quick cut shows nothing, a
// long one shows "正在截取……" and Esc calls it off, leaving no preview file.
TEST(CutInBackground, QuickCutsShowNothingLongOnesCanBeCalledOff) {
    test::TempDataHome home;
    fs::create_directories(home.dataFolder());
    test::TempDir dir;
    const fs::path small = dir.path() / "small.mp3";
    test::WritePatternFile(small, 64 * 1024);
    // A sparse file of 64 GiB: copying it would take minutes, so only Esc ends this cut soon.
    const fs::path huge = dir.path() / "huge.mp3";
    {
        test::WritePatternFile(huge, 4096);
        fs::resize_file(huge, std::uintmax_t{64} << 30);
    }
    const struct {
        const char* name;
        fs::path source;
        bool pressEscape;
        CutError error;
        bool previewLeft;
    } cases[] = {
        {"quick", small, false, CutError::None, true},
        {"called off", huge, true, CutError::Cancelled, false},
    };
    QWidget owner;
    owner.resize(200, 100);
    owner.show();
    for (const auto& c : cases) {
        bool progressSeen = false;
        int ticks = 0;
        QTimer gui; // the GUI thread's own work while the cut runs
        gui.setInterval(20);
        QObject::connect(&gui, &QTimer::timeout, [&] {
            ++ticks;
            if (QProgressDialog* progress = ShownProgress()) {
                progressSeen = true;
                EXPECT_EQ(progress->labelText(), QStringLiteral("正在截取……"));
                if (c.pressEscape) {
                    QTest::keyClick(progress, Qt::Key_Escape);
                }
            }
        });
        gui.start();
        QElapsedTimer clock;
        clock.start();
        const CutResult result =
            CutPreviewInBackground(PreviewCut{c.source.string(), 100.0, 0.0, 100.0, CutMode::Bytes}, &owner);
        gui.stop();
        EXPECT_EQ(result.error, c.error) << c.name;
        EXPECT_EQ(progressSeen, c.pressEscape) << c.name;
        EXPECT_EQ(fs::exists(DataFile(kPreviewFileName)), c.previewLeft) << c.name;
        if (c.pressEscape) {
            EXPECT_GE(ticks, kCutProgressDelayMs / 20 / 2) << c.name; // the window was not frozen
            EXPECT_LT(clock.elapsed(), 20000) << c.name;
        }
        EXPECT_EQ(ShownProgress(), nullptr) << c.name;
    }
}

} // namespace
} // namespace trimvox
