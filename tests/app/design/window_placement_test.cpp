// SPDX-License-Identifier: GPL-3.0-or-later
// Where the windows stand on a real X server under a real window manager (run by under_window_manager.sh):
// each window, with the frame the window manager gives it, in the middle of the screen.
#include "app/main_window/form1.h"
#include "app/preview/form2.h"
#include "controls/player/player_fixture.h"
#include "platform/fs/data_folder.h"
#include "support/mp3_fixture.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace trimvox {
namespace {

using test::WaitFor;

// The window system's own account of the window (the widget's may lag behind the window manager).
bool Framed(const QWidget& w) {
    return !w.windowHandle()->frameMargins().isNull();
}
QRect FrameGeometry(const QWidget& w) {
    return w.windowHandle()->frameGeometry();
}

QString Describe(const QWidget& w) {
    const QRect f = FrameGeometry(w);
    const QRect c = w.windowHandle()->geometry();
    return QStringLiteral("frame %1x%2+%3+%4, client %5x%6+%7+%8")
        .arg(f.width())
        .arg(f.height())
        .arg(f.x())
        .arg(f.y())
        .arg(c.width())
        .arg(c.height())
        .arg(c.x())
        .arg(c.y());
}

// The program as it starts: its main window loaded and shown, and a preview file to play.
class WindowPlacement : public ::testing::Test {
public:
    void SetUp() override {
        main_ = std::make_unique<Form1>();
        ASSERT_TRUE(main_->Form_Initialize());
        test::Mp3Options tone;
        tone.seconds = 1.0;
        test::MakeMp3(DataFile(kPreviewFileName), tone);
    }
    void TearDown() override {
        previews_.clear();
        main_.reset();
    }

    QWidget& ShowMain() {
        main_->Form_Load();
        main_->show();
        return *main_;
    }
    QWidget& ShowPreview() {
        for (const auto& earlier : previews_) {
            earlier->close();
        }
        previews_.push_back(std::make_unique<Form2>(*main_));
        previews_.back()->show();
        return *previews_.back();
    }

    test::TempDataHome home_;
    std::unique_ptr<Form1> main_;
    std::vector<std::unique_ptr<Form2>> previews_;
};

struct PlacementRow {
    const char* window;
    std::function<QWidget&(WindowPlacement&)> show;
};

TEST_F(WindowPlacement, EachWindowFrameIncludedStandsInTheMiddleOfTheScreen) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    std::vector<PlacementRow> rows = {
        {"main window", [](WindowPlacement& t) -> QWidget& { return t.ShowMain(); }},
        {"preview window", [](WindowPlacement& t) -> QWidget& { return t.ShowPreview(); }},
        {"preview window opened again", [](WindowPlacement& t) -> QWidget& { return t.ShowPreview(); }},
    };
    for (const PlacementRow& row : rows) {
        QWidget& window = row.show(*this);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window)) << row.window;
        ASSERT_TRUE(WaitFor([&] { return Framed(window); }, 5000))
            << row.window << ": the window manager gave no frame";
        const auto centred = [&] {
            const QPoint c = FrameGeometry(window).center();
            return std::abs(c.x() - screen.center().x()) <= 1 && std::abs(c.y() - screen.center().y()) <= 1;
        };
        EXPECT_TRUE(WaitFor(centred, 3000)) << row.window << ": " << Describe(window).toStdString();
        QTest::qWait(200); // and it stays there
        EXPECT_TRUE(centred()) << row.window << " moved away: " << Describe(window).toStdString();
        std::printf("%dx%d  %-28s %s\n", screen.width(), screen.height(), row.window,
                    Describe(window).toUtf8().constData());
    }
}

} // namespace
} // namespace trimvox
