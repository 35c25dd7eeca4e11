// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window_fixture.h"

#include "app/main_window/seconds_text.h"
#include "controls/player/display_strip.h"
#include "controls/player/seek_bar.h"
#include "controls/player/waveform_loader.h"

#include <QDialog>
#include <QImage>

#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

namespace trimvox::test {
namespace {

constexpr int kPlaying = 3;
constexpr int kPaused = 2;
constexpr double kLength = 20.0;

class MainWindowKeys : public MainWindowTest {
protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Open(Mp3("tone.mp3", Tone(kLength, "Tone")));
        player().controls().pause();
        form_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    }

    // A real key press on the focused control of the active window.
    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : form_.get();
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }
    double Position() const { return player().controls().currentPosition(); }
    void SeekTo(double seconds) {
        player().controls().setCurrentPosition(seconds);
        ASSERT_TRUE(WaitUntil([&] { return std::abs(Position() - seconds) < 0.01; }));
    }
    bool PositionNear(double seconds, double tolerance = 0.02) {
        return WaitUntil([&] { return std::abs(Position() - seconds) < tolerance; }, 1000);
    }
    // "截取时长" shows the span of the marks, which is about `seconds`.
    bool SpanNear(double seconds) const {
        const double span = form_->EndPos - form_->StartPos;
        return ui().Label7->text() == QStringLiteral("截取时长：") + SecondsText(span) &&
               std::abs(span - seconds) < 0.05;
    }
};

// Every key against what its button or description says, with the player focused (as at start).
TEST_F(MainWindowKeys, EachKeyDoesWhatItsButtonOrDescriptionSays) {
    struct Row {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        double from;                // the play position before the key
        std::function<bool()> done; // what the key must have done
    };
    const auto at = [this](double seconds) { return [this, seconds] { return PositionNear(seconds); }; };
    const auto startAt = [this](double seconds) {
        return [this, seconds] {
            return std::abs(form_->StartPos - seconds) < 0.02 &&
                   ui().Label5->text() == QStringLiteral("起始点：") + SecondsText(form_->StartPos) &&
                   player().startMark() == form_->StartPos;
        };
    };
    const auto endAt = [this](double seconds) {
        return [this, seconds] {
            return std::abs(form_->EndPos - seconds) < 0.02 &&
                   ui().Label6->text() == QStringLiteral("结束点：") + SecondsText(form_->EndPos) &&
                   ui().Label7->text() ==
                       QStringLiteral("截取时长：") + SecondsText(form_->EndPos - form_->StartPos) &&
                   player().endMark() == form_->EndPos;
        };
    };
    const Row rows[] = {
        {"→ 1 s forward", Qt::Key_Right, Qt::NoModifier, 5.0, at(6.0)},
        {"← 1 s back", Qt::Key_Left, Qt::NoModifier, 5.0, at(4.0)},
        {"Shift+→ 10 s forward", Qt::Key_Right, Qt::ShiftModifier, 5.0, at(15.0)},
        {"Shift+← stops at the start", Qt::Key_Left, Qt::ShiftModifier, 5.0, at(0.0)},
        {"Ctrl+→ 0.1 s forward", Qt::Key_Right, Qt::ControlModifier, 5.0, at(5.1)},
        {"Ctrl+← 0.1 s back", Qt::Key_Left, Qt::ControlModifier, 5.0, at(4.9)},
        {"Home: the start", Qt::Key_Home, Qt::NoModifier, 5.0, at(0.0)},
        {"End: the end", Qt::Key_End, Qt::NoModifier, 5.0,
         [this] { return PositionNear(player().currentMedia().duration() - 0.1); }},
        {"I: the start mark", Qt::Key_I, Qt::NoModifier, 3.0, startAt(3.0)},
        {"[: the start mark", Qt::Key_BracketLeft, Qt::NoModifier, 6.0, startAt(6.0)},
        {"O: the end mark", Qt::Key_O, Qt::NoModifier, 8.0, endAt(8.0)},
        {"]: the end mark", Qt::Key_BracketRight, Qt::NoModifier, 9.0, endAt(9.0)},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        player().setFocus(Qt::TabFocusReason);
        SeekTo(row.from);
        Press(row.key, row.modifiers);
        EXPECT_TRUE(row.done()) << "at " << Position();
        EXPECT_EQ(player().playState(), kPaused);
    }

    // F6 plays 2 s from the start mark (6 s), F7 the last 2 s before the end mark (9 s); then it pauses.
    for (const auto& [key, from, to] : {std::tuple{Qt::Key_F6, 6.0, 8.0}, std::tuple{Qt::Key_F7, 7.0, 9.0}}) {
        SeekTo(15.0);
        Press(key);
        EXPECT_TRUE(WaitUntil([&] { return player().playState() == kPlaying; })) << key;
        EXPECT_TRUE(WaitUntil([&] { return Position() > from && Position() < to; }, 1500)) << key;
        EXPECT_TRUE(WaitUntil([&] { return player().playState() == kPaused; }, 4000)) << key;
        EXPECT_NEAR(Position(), to, 0.3) << key;
    }

    // P: the preview of the marked span. The main window's keys do nothing in the preview window.
    bool previewShown = false;
    WhenPreviewShows([&](Form2& preview) {
        previewShown = true;
        QTest::keyClick(&preview, Qt::Key_I);
        QTest::keyClick(&preview, Qt::Key_Home);
        preview.reject();
    });
    Press(Qt::Key_P);
    EXPECT_TRUE(previewShown);
    EXPECT_NEAR(form_->StartPos, 6.0, 0.02);
    EXPECT_FALSE(PreviewBytes().empty());

    // Ctrl+S: the save dialog, and the preview is saved.
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    const auto saved = files_->path() / "saved.mp3";
    driver_.onFileDialog(DialogDriver::TypePathAndEnter(Q(saved)));
    Press(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadWholeFile(saved).value_or(Bytes{}), PreviewBytes());
    ASSERT_FALSE(driver_.messages().empty());
    EXPECT_EQ(driver_.messages().back().text, QStringLiteral("已保存至：") + Q(saved));

    // Ctrl+O: the open dialog; the file opens and the marks are cleared.
    driver_.onFileDialog(DialogDriver::TypePathAndEnter(Q(Mp3("other.mp3", Tone(3.0, "Other")))));
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    Press(Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(WaitUntil([&] { return ui().Label1->text() == QStringLiteral("名称：Other"); }));
    EXPECT_EQ(form_->StartPos, 0.0);
    EXPECT_FALSE(player().startMark().has_value());
}

// A focused control keeps its own keys: Space plays and pauses on the player and presses a button, the arrows
// move between the buttons. While a dialog is open the keys do nothing.
TEST_F(MainWindowKeys, FocusedControlsKeepTheirKeysAndDialogsSilenceTheRest) {
    player().setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Space);
    EXPECT_TRUE(WaitUntil([&] { return player().playState() == kPlaying; }));
    Press(Qt::Key_Space);
    EXPECT_TRUE(WaitUntil([&] { return player().playState() == kPaused; }));

    SeekTo(4.0);
    ui().mxb[1]->setFocus(Qt::TabFocusReason);
    Press(Qt::Key_Space);
    EXPECT_NEAR(form_->StartPos, 4.0, 0.02); // the focused "起始" was pressed
    Press(Qt::Key_Right);
    EXPECT_TRUE(WaitUntil([&] { return ui().mxb[2]->hasFocus(); }, 1000));
    EXPECT_NEAR(Position(), 4.0, 0.02);
    Press(Qt::Key_Home); // not a key of the button's own
    EXPECT_TRUE(PositionNear(0.0));

    QDialog dialog; // any dialog of the program, left open while the main window is used
    dialog.show();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    player().setFocus(Qt::TabFocusReason);
    SeekTo(7.0);
    for (int key : {Qt::Key_I, Qt::Key_O, Qt::Key_Right, Qt::Key_Home}) {
        Press(key);
    }
    QTest::qWait(100);
    EXPECT_NEAR(form_->StartPos, 4.0, 0.02);
    EXPECT_EQ(form_->EndPos, 0.0);
    EXPECT_NEAR(Position(), 7.0, 0.02);
}

// After a mouse click on a button the window's keys work as with the player focused: the arrows seek, Space
// plays and pauses, the mark keys mark; a button the keyboard focused (Tab, or the arrows between buttons)
// keeps its own keys. "截取时长" follows either mark.
TEST_F(MainWindowKeys, KeysAfterAMouseClickOnAButton) {
    struct Step {
        enum Kind { Click, Key, Tab } kind;
        int what = 0; // the button's index or the key
        Qt::KeyboardModifiers modifiers = Qt::NoModifier;
    };
    const auto click = [](int index) { return Step{Step::Click, index}; };
    const auto key = [](int k, Qt::KeyboardModifiers m = Qt::NoModifier) { return Step{Step::Key, k, m}; };
    const Step tab{Step::Tab};
    const auto span = [this] { return ui().Label7->text(); };
    const auto spanNear = [this](double seconds) { return SpanNear(seconds); };
    struct Row {
        const char* name;
        double from;
        std::vector<Step> steps;
        std::function<bool()> done;
    };
    const Row rows[] = {
        {"起始 clicked, Shift+→, O: a 10 s span",
         5.0,
         {click(1), key(Qt::Key_Right, Qt::ShiftModifier), key(Qt::Key_O)},
         [&] { return PositionNear(15.0) && std::abs(form_->EndPos - 15.0) < 0.02 && spanNear(10.0); }},
        {"then back 10 s, forward 3 s, I: a 7 s span",
         15.0,
         {click(1), key(Qt::Key_O), key(Qt::Key_Left, Qt::ShiftModifier), key(Qt::Key_Right),
          key(Qt::Key_Right), key(Qt::Key_Right), key(Qt::Key_I)},
         [&] { return std::abs(form_->StartPos - 8.0) < 0.02 && spanNear(7.0); }},
        {"结束 clicked, Ctrl+→ and ←",
         5.0,
         {click(2), key(Qt::Key_Right, Qt::ControlModifier), key(Qt::Key_Left)},
         [&] { return PositionNear(4.1) && ui().mxb[2]->hasFocus(); }},
        {"起始 clicked, End",
         5.0,
         {click(1), key(Qt::Key_End)},
         [&] { return PositionNear(player().currentMedia().duration() - 0.1); }},
        {"起始 clicked, Home", 5.0, {click(1), key(Qt::Key_Home)}, [&] { return PositionNear(0.0); }},
        {"起始 clicked, Space plays instead of pressing 起始 again",
         5.0,
         {click(1), key(Qt::Key_Space)},
         [&] {
             return WaitUntil([&] { return player().playState() == kPlaying; }) &&
                    std::abs(form_->StartPos - 5.0) < 0.02;
         }},
        {"起始 clicked, then Tab: 结束 focused by the keyboard keeps its keys",
         5.0,
         {click(1), tab, key(Qt::Key_Right), key(Qt::Key_Left), key(Qt::Key_Space)},
         [&] {
             return PositionNear(5.0) && std::abs(form_->EndPos - 5.0) < 0.02 && ui().mxb[2]->hasFocus();
         }},
        {"a button that had the keyboard's focus, clicked, leaves the arrows to the window",
         5.0,
         {tab, click(1), key(Qt::Key_Right)},
         [&] { return PositionNear(6.0) && ui().mxb[1]->hasFocus(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        player().controls().pause();
        ASSERT_TRUE(WaitUntil([&] { return player().playState() == kPaused; }));
        player().setFocus(Qt::TabFocusReason);
        SeekTo(row.from);
        for (const Step& step : row.steps) {
            switch (step.kind) {
            case Step::Click:
                Click(step.what);
                break;
            case Step::Key:
                Press(step.what, step.modifiers);
                break;
            case Step::Tab:
                if (QApplication::focusWidget() == &player()) {
                    ui().mxb[1]->setFocus(Qt::TabFocusReason); // the player's Tab lands on "起始"
                } else {
                    Press(Qt::Key_Tab);
                }
                break;
            }
            QTest::qWait(20);
        }
        EXPECT_TRUE(row.done()) << "at " << Position() << ", marks " << form_->StartPos << " and "
                                << form_->EndPos << ", " << span().toStdString();
    }
}

// "截取时长" shows the span of the marks after either mark changes, and nothing while one is missing.
TEST_F(MainWindowKeys, CutLengthFollowsEitherMark) {
    const QString none = QStringLiteral("截取时长：");
    player().setFocus(Qt::TabFocusReason);
    for (const auto& [at, key, length] : {
             std::tuple{12.0, Qt::Key_O, -1.0}, // no start yet
             std::tuple{10.0, Qt::Key_I, 2.0},
             std::tuple{18.0, Qt::Key_O, 8.0},
             std::tuple{15.0, Qt::Key_I, 3.0},
             std::tuple{17.5, Qt::Key_BracketRight, 2.5},
             std::tuple{16.0, Qt::Key_BracketLeft, 1.5},
         }) {
        SeekTo(at);
        Press(key);
        if (length < 0) {
            EXPECT_EQ(ui().Label7->text(), none) << at;
        } else {
            EXPECT_TRUE(SpanNear(length)) << at << ": " << ui().Label7->text().toStdString();
        }
    }
    Open(Mp3("next.mp3", Tone(3.0)));
    EXPECT_EQ(ui().Label7->text(), none);
    form_->activateWindow();
    player().setFocus(Qt::TabFocusReason);
    Press(Qt::Key_O);
    EXPECT_EQ(ui().Label7->text(), none); // the start of the new file is not marked yet
}

TEST_F(MainWindowKeys, ButtonTooltipsNameTheirKeys) {
    const char* tips[] = {"打开 (Ctrl+O)", "起始 (I, [)", "结束 (O, ])", "预览 (P)", "保存 (Ctrl+S)", ""};
    for (std::size_t i = 0; i < ui().mxb.size(); ++i) {
        EXPECT_EQ(ui().mxb[i]->toolTip(), QString::fromUtf8(tips[i])) << i;
    }
}

} // namespace
} // namespace trimvox::test
