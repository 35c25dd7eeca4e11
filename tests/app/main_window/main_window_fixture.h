// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/main_window/form1.h"
#include "app/preview/form2.h"
#include "controls/player/media_player.h"
#include "platform/fs/byte_file.h"
#include "platform/fs/data_folder.h"
#include "support/dialog_driver.h"
#include "support/mp3_fixture.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace trimvox::test {

inline QString Q(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// A sine tone of the given length, with an ID3 title when one is given.
inline Mp3Options Tone(double seconds, const std::string& title = {}) {
    Mp3Options options;
    options.seconds = seconds;
    options.title = title;
    return options;
}

// The running program in this process: a fresh data folder, the main window started and shown, real MP3
// files, the real player, the real dialogs driven as a person would.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = std::make_unique<TempDataHome>();
        files_ = std::make_unique<TempDir>();
        StartProgram();
    }
    void TearDown() override {
        previewWatch_.reset();
        form_.reset();
        files_.reset();
        home_.reset();
    }

    void StartProgram() {
        form_ = std::make_unique<Form1>();
        ASSERT_TRUE(form_->Form_Initialize());
        form_->Form_Load();
        form_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form_.get()));
    }

    // An MP3 file in the test's folder.
    std::filesystem::path Mp3(const std::string& name, Mp3Options options = {}) {
        const auto path = files_->path() / name;
        MakeMp3(path, options);
        return path;
    }

    const Form1Controls& ui() const { return form_->controls(); }
    MediaPlayer& player() const { return *ui().wmp; }

    // A real click at the centre of a command button.
    void Click(int index) {
        mxbutton::mxbutton* button = ui().mxb[static_cast<std::size_t>(index)];
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->rect().center());
    }

    // Opens a file through the open dialog and waits for the file-information tick.
    void Open(const std::filesystem::path& file) {
        driver_.onFileDialog(DialogDriver::TypePathAndEnter(Q(file)));
        Click(0);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !ui().Timer1->isActive(); }, 3000));
    }

    static bool WaitUntil(const std::function<bool()>& condition, int ms = 3000) {
        return QTest::qWaitFor(condition, ms);
    }

    // Runs `action` once the preview window shows (from its own modal loop). The watch ends with the test.
    void WhenPreviewShows(std::function<void(Form2&)> action) {
        previewWatch_ = std::make_unique<QTimer>();
        previewWatch_->setInterval(10);
        QObject::connect(previewWatch_.get(), &QTimer::timeout, [this, action] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (auto* preview = qobject_cast<Form2*>(widget);
                    preview != nullptr && preview->isVisible()) {
                    previewWatch_->stop();
                    action(*preview);
                    return;
                }
            }
        });
        previewWatch_->start();
    }

    Bytes PreviewBytes() const { return ReadWholeFile(DataFile(kPreviewFileName)).value_or(Bytes{}); }

    std::unique_ptr<TempDataHome> home_;
    std::unique_ptr<TempDir> files_;
    DialogDriver driver_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<QTimer> previewWatch_;
};

} // namespace trimvox::test
