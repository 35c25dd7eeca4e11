// SPDX-License-Identifier: GPL-3.0-or-later
// The segments window on a real five-tone album: opened from the main window, then one table of what a
// person does in it (detect silence, typed times, dragged edges, the commands, undo and redo, export, close).
#include "app/main_window/main_window_fixture.h"
#include "app/segments/playback_port.h"
#include "app/segments/segments_window.h"
#include "app/segments/undo_keys.h"
#include "cutting/precise_cutter.h"
#include "peaks/peak_cache.h"
#include "settings/private_profile.h"
#include "split/audio_shape.h"
#include "split/piece_names.h"
#include "split/time_text.h"
#include "support/gapless_decode.h"

#include "settings/mymode.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>
#include <QWheelEvent>
#include <thread>

namespace trimvox {
namespace {

namespace fs = std::filesystem;
using test::SilenceOf;
using test::ToneOf;

constexpr long kRate = 44100;

// Five tones of different lengths with 2 s of silence between them.
const std::vector<test::Stretch> kAlbum = {ToneOf(4.0, 330), SilenceOf(2.0),   ToneOf(5.0, 440),
                                           SilenceOf(2.0),   ToneOf(3.5, 550), SilenceOf(2.0),
                                           ToneOf(4.5, 660), SilenceOf(2.0),   ToneOf(6.0, 770)};

// The player the window plays through, as the main window's would, without sound.
class QuietPlayer final : public PlaybackPort {
public:
    bool available() const override { return true; }
    double position() const override { return position_; }
    bool playing() const override { return playing_; }
    void seek(double seconds) override { position_ = seconds; }
    void play() override { playing_ = true; }
    void pause() override { playing_ = false; }
    void playRange(double from, double to) override { ranges.emplace_back(from, to); }

    double position_ = 0;
    bool playing_ = false;
    std::vector<std::pair<double, double>> ranges;
};

// Sets XDG_CACHE_HOME for the test's life.
class CacheHome {
public:
    explicit CacheHome(const fs::path& folder) {
        if (const char* old = std::getenv("XDG_CACHE_HOME")) {
            old_ = old;
        }
        setenv("XDG_CACHE_HOME", folder.c_str(), 1);
    }
    ~CacheHome() {
        if (old_) {
            setenv("XDG_CACHE_HOME", old_->c_str(), 1);
        } else {
            unsetenv("XDG_CACHE_HOME");
        }
    }

private:
    std::optional<std::string> old_;
};

// Undo and redo by the key's code, and by its place where the layout has no Latin letters (X11 key codes 52
// and 29 are the places of the US layout's Z and Y).
TEST(UndoKeysTest, KeysByCodeOrByPlace) {
    struct Case {
        const char* name;
        int key;
        Qt::KeyboardModifiers modifiers;
        quint32 scanCode;
        UndoKey expected;
    };
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier,
                                ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const Case cases[] = {
        {"Ctrl+Z", Qt::Key_Z, ctrl, 52, UndoKey::Undo},
        {"Ctrl+Shift+Z", Qt::Key_Z, ctrlShift, 52, UndoKey::Redo},
        {"Ctrl+Y", Qt::Key_Y, ctrl, 29, UndoKey::Redo},
        {"Ctrl+Shift+Y is nothing", Qt::Key_Y, ctrlShift, 29, UndoKey::None},
        {"Z without Ctrl is nothing", Qt::Key_Z, Qt::NoModifier, 52, UndoKey::None},
        {"Ctrl+Alt+Z is nothing", Qt::Key_Z, ctrl | Qt::AltModifier, 52, UndoKey::None},
        {"German layout: Z where the US Y is, by its code", Qt::Key_Z, ctrl, 29, UndoKey::Undo},
        {"German layout: Y where the US Z is, by its code", Qt::Key_Y, ctrl, 52, UndoKey::Redo},
        {"Russian layout: Я in Z's place", 0x44f, ctrl, 52, UndoKey::Undo},
        {"Russian layout: Я with Shift", 0x42f, ctrlShift, 52, UndoKey::Redo},
        {"Russian layout: Н in Y's place", 0x43d, ctrl, 29, UndoKey::Redo},
        {"Russian layout: another key", 0x444, ctrl, 38, UndoKey::None},
    };
    for (const Case& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.scanCode, 0, 0);
        EXPECT_EQ(UndoKeyOf(event), c.expected) << c.name;
    }
}

class SegmentsFromMainWindow : public test::MainWindowTest {};

TEST_F(SegmentsFromMainWindow, CtrlLAndTheMenuOpenItForTheOpenFileWithoutBlockingTheMainWindow) {
    const CacheHome cache(files_->path() / "cache");
    const fs::path file = Mp3("tone.mp3", test::Tone(3.0, "Tone"));
    Open(file);
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    QTest::keyClick(form_.get(), Qt::Key_L, Qt::ControlModifier);
    auto* window = form_->findChild<SegmentsWindow*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->file(), file);
    EXPECT_TRUE(window->windowFlags() & Qt::Window);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ASSERT_TRUE(WaitUntil([&] { return window->ready(); }, 10000));
    EXPECT_EQ(window->list().totalSamples(), 3 * kRate);
    // Resizable, and every command a push button named for screen readers.
    const QSize small = window->minimumSizeHint().expandedTo(QSize(640, 400));
    window->resize(small);
    EXPECT_TRUE(WaitUntil([&] { return window->size() == small; }));
    window->resize(1200, 800);
    EXPECT_TRUE(WaitUntil([&] { return window->size() == QSize(1200, 800); }));
    const QList<QPushButton*> buttons = window->findChildren<QPushButton*>();
    EXPECT_GE(buttons.size(), 14);
    for (QPushButton* button : buttons) {
        EXPECT_FALSE(button->accessibleName().isEmpty()) << button->text().toStdString();
    }
    // The main window still works while it is open: a mark goes where the player is.
    form_->mxb_Click(1);
    EXPECT_TRUE(ui().Label5->isVisible());
    window->close();
    EXPECT_FALSE(window->isVisible());
    // The context menu's entry opens it again; the peaks now come from the cache at once.
    QMenu* menu = form_->findChild<QMenu*>();
    ASSERT_NE(menu, nullptr);
    QAction* entry = nullptr;
    for (QAction* action : menu->actions()) {
        if (action->text() == QStringLiteral("分段…")) {
            entry = action;
        }
    }
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->ready());
    EXPECT_TRUE(window->peaksFromCache());
    window->close();
    // Its place is kept in set.ini.
    EXPECT_EQ(GetPrivateProfileString("segments", "width", "", 16, mymode::SettingsFile()), "1200");
}

class SegmentsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        album_ = dir_.path() / "album.mp3";
        test::MakeShapedMp3(album_, kAlbum);
        starts_ = test::StretchStarts(kAlbum);
        SegmentsWindowSetup setup;
        setup.player = &player_;
        setup.marks = [this] { return marks_; };
        setup.exportAll = [this](const ExportRequest& request, const ExportProgressFn& progress) {
            requests_.push_back(request);
            return CutEveryPiece(request, progress);
        };
        setup.settingsFile = dir_.path() / "set.ini";
        setup.cacheFolder = dir_.path() / "cache";
        window_ = std::make_unique<SegmentsWindow>(setup);
        window_->resize(1000, 600);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        window_->openFile(album_);
        ASSERT_TRUE(QTest::qWaitFor([&] { return window_->ready(); }, 10000));
    }

    // Stands in for the export of all pieces: each piece through the precise cut, named as the program
    // names them.
    static ExportOutcome CutEveryPiece(const ExportRequest& request, const ExportProgressFn& progress) {
        ExportOutcome outcome;
        const SegmentList& list = request.list;
        const std::vector<std::string> names = PieceFileNames(
            list, request.nameTemplate.empty() ? DefaultNameTemplate(list) : request.nameTemplate,
            request.source.stem().string());
        for (std::size_t i = 0; i < list.size(); ++i) {
            if (progress && !progress(ExportProgress{i, list.size()})) {
                outcome.error = ExportError::Cancelled;
                outcome.failedPiece = i;
                return outcome;
            }
            CutRequest cut;
            cut.source = request.source;
            cut.duration = list.secondsAt(list.totalSamples());
            cut.startPos = list.secondsAt(list[i].start);
            cut.endPos = list.secondsAt(list[i].end);
            cut.output = request.folder / names[i];
            cut.mode = CutMode::Precise;
            if (!CutPrecisely(cut).ok()) {
                outcome.error = ExportError::CutFailed;
                outcome.failedPiece = i;
                return outcome;
            }
            outcome.written.push_back(cut.output);
        }
        return outcome;
    }

    QTableWidget& table() const { return *window_->table(); }
    const SegmentList& list() const { return window_->list(); }
    std::vector<std::pair<std::int64_t, std::int64_t>> bounds() const {
        std::vector<std::pair<std::int64_t, std::int64_t>> out;
        for (const Segment& s : list().segments()) {
            out.emplace_back(s.start, s.end);
        }
        return out;
    }
    // Types into a cell of the table as a person does: starts the editor, types, presses Enter.
    void Type(int row, int column, const QString& text) {
        QTableWidgetItem* item = table().item(row, column);
        ASSERT_NE(item, nullptr);
        table().setCurrentItem(item);
        table().editItem(item);
        QLineEdit* editor = nullptr;
        for (QLineEdit* candidate : table().viewport()->findChildren<QLineEdit*>()) {
            if (candidate->isVisible()) {
                editor = candidate;
            }
        }
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        if (text.toLatin1() == text.toUtf8()) {
            QTest::keyClicks(editor, text);
        } else {
            editor->insert(text); // what an input method hands over
        }
        QTest::keyClick(editor, Qt::Key_Return);
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QTest::qWait(10);
    }
    // A drag on the detail view from one x to another (at mid height), with the given keys held.
    void Drag(double fromX, double toX, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget* view = window_->detailView();
        const int y = view->height() / 2;
        QTest::mousePress(view, Qt::LeftButton, modifiers, QPoint(static_cast<int>(std::lround(fromX)), y));
        QTest::mouseMove(view, QPoint(static_cast<int>(std::lround((fromX + toX) / 2)), y));
        QTest::mouseRelease(view, Qt::LeftButton, modifiers, QPoint(static_cast<int>(std::lround(toX)), y));
    }
    double XOf(std::int64_t sample) const {
        return window_->detailView()->scale().xAt(static_cast<double>(sample));
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(window_.get(), static_cast<Qt::Key>(key), modifiers);
    }
    void Detect() {
        window_->detectSilence();
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return window_->proposal().has_value() && !window_->busy(); }, 10000));
    }

    test::TempDir dir_;
    fs::path album_;
    std::vector<std::int64_t> starts_;
    QuietPlayer player_;
    std::optional<std::pair<double, double>> marks_;
    std::vector<ExportRequest> requests_;
    test::DialogDriver driver_;
    std::unique_ptr<SegmentsWindow> window_;
};

TEST_F(SegmentsWindowTest, WhatAPersonDoesInIt) {
    const std::int64_t total = starts_.back();
    // The middle of the k-th silence (between tone k and k+1, counted from 0).
    auto silenceMiddle = [&](int k) { return (starts_[2 * k + 1] + starts_[2 * k + 2]) / 2; };
    SegmentList before;
    std::vector<Silence> silences;
    std::vector<std::pair<std::int64_t, std::int64_t>> five;

    struct Step {
        const char* name;
        std::function<void()> act;
        std::function<void()> check;
    };
    const Step steps[] = {
        {"opens with an empty list over the whole file", [] {},
         [&] {
             EXPECT_EQ(list().totalSamples(), total);
             EXPECT_EQ(table().rowCount(), 0);
             EXPECT_FALSE(window_->unsaved());
         }},
        {"equal parts makes the list to change",
         [&] {
             window_->partsBox()->setValue(2);
             Key(Qt::Key_E);
         },
         [&] {
             EXPECT_EQ(table().rowCount(), 2);
             before = list();
         }},
        {"detect silence shows five pieces before they are taken", [&] { Detect(); },
         [&] {
             ASSERT_TRUE(window_->proposal());
             EXPECT_EQ(window_->proposal()->pieces.size(), 5u);
             silences = window_->proposal()->silences;
             EXPECT_EQ(list(), before);
         }},
        {"with another threshold the search decodes again (the opening pass had the default) and agrees",
         [&] {
             window_->thresholdBox()->setValue(-40);
             window_->detectSilence();
             EXPECT_TRUE(window_->busy());
             Detect();
         },
         [&] {
             ASSERT_TRUE(window_->proposal());
             EXPECT_EQ(window_->proposal()->pieces.size(), 5u);
         }},
        {"taking them gives five rows, each split in the middle of its silence", [&] { Key(Qt::Key_Return); },
         [&] {
             ASSERT_EQ(table().rowCount(), 5);
             for (int k = 0; k < 4; ++k) {
                 EXPECT_NEAR(static_cast<double>(list()[static_cast<std::size_t>(k)].end), silenceMiddle(k),
                             kRate / 10.0);
             }
             EXPECT_FALSE(window_->proposal());
             five = bounds();
         }},
        {"undo (Ctrl+Z) gives the list before", [&] { Key(Qt::Key_Z, Qt::ControlModifier); },
         [&] { EXPECT_EQ(list(), before); }},
        {"redo by its button", [&] { window_->redo(); }, [&] { EXPECT_EQ(bounds(), five); }},
        {"on a Russian layout the key in Z's place undoes",
         [&] {
             QKeyEvent press(QEvent::KeyPress, 0x44f, Qt::ControlModifier, 52, 0, 0);
             QApplication::sendEvent(window_.get(), &press);
         },
         [&] { EXPECT_EQ(list(), before); }},
        {"redo (Ctrl+Shift+Z) gives five again",
         [&] { Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); },
         [&] { EXPECT_EQ(bounds(), five); }},
        {"undo then Ctrl+Y redoes too",
         [&] {
             Key(Qt::Key_Z, Qt::ControlModifier);
             Key(Qt::Key_Y, Qt::ControlModifier);
         },
         [&] { EXPECT_EQ(bounds(), five); }},
        {"a typed start and end change exactly that segment",
         [&] {
             Type(1, 0, QStringLiteral("0:00:06.250"));
             Type(1, 1, QStringLiteral("10.5"));
         },
         [&] {
             EXPECT_EQ(list()[1].start, 6 * kRate + kRate / 4);
             EXPECT_EQ(list()[1].end, 10 * kRate + kRate / 2);
             EXPECT_EQ(table().item(1, 2)->text(), QStringLiteral("0:00:04.250"));
         }},
        {"a typed length moves the end", [&] { Type(1, 2, QStringLiteral("0:05.000")); },
         [&] { EXPECT_EQ(list()[1].end, 6 * kRate + kRate / 4 + 5 * kRate); }},
        {"what is not a time is refused and the cell shows the time again",
         [&] { Type(1, 0, QStringLiteral("soon")); },
         [&] {
             EXPECT_EQ(list()[1].start, 6 * kRate + kRate / 4);
             EXPECT_EQ(table().item(1, 0)->text(), QStringLiteral("0:00:06.250"));
             EXPECT_TRUE(window_->statusLabel()->text().contains(QStringLiteral("不是时间")));
         }},
        {"a start inside the segment before is refused", [&] { Type(1, 0, QStringLiteral("1.0")); },
         [&] { EXPECT_EQ(list()[1].start, 6 * kRate + kRate / 4); }},
        {"an end inside the segment after is refused", [&] { Type(1, 1, QStringLiteral("0:12.5")); },
         [&] {
             EXPECT_EQ(list()[1].end, 6 * kRate + kRate / 4 + 5 * kRate);
             EXPECT_TRUE(window_->statusLabel()->text().contains(QStringLiteral("重叠")));
         }},
        {"a title is typed", [&] { Type(0, 3, QStringLiteral("第一首")); },
         [&] { EXPECT_EQ(list()[0].title, "第一首"); }},
        {"Shift-drag of an edge puts it where the pointer is",
         [&] {
             window_->detailView()->showRange(static_cast<double>(list()[0].end - kRate),
                                              static_cast<double>(list()[0].end + kRate));
             Drag(XOf(list()[0].end), XOf(list()[0].end) - 40, Qt::ShiftModifier);
         },
         [&] {
             const double x = std::lround(XOf(five[0].second)) - 40;
             EXPECT_EQ(list()[0].end, window_->detailView()->scale().sampleIndexAt(x));
         }},
        {"a drag near the silence's start snaps to it",
         [&] {
             window_->detailView()->showRange(static_cast<double>(starts_[1] - kRate),
                                              static_cast<double>(starts_[1] + kRate));
             Drag(XOf(list()[0].end), XOf(silences[0].start) + 4);
         },
         [&] {
             // The silence as found starts where the tone's last sample above the threshold ends.
             ASSERT_EQ(silences.size(), 4u);
             EXPECT_NEAR(static_cast<double>(silences[0].start), starts_[1], kRate / 50.0);
             EXPECT_EQ(list()[0].end, silences[0].start);
         }},
        {"a click seeks the player and the read-out shows the exact time",
         [&] {
             window_->detailView()->showRange(0, static_cast<double>(total));
             QTest::mouseClick(window_->detailView(), Qt::LeftButton, Qt::NoModifier, QPoint(300, 100));
             QTest::mouseMove(window_->detailView(), QPoint(300, 100));
             window_->detailView()->setFocus();
             QTest::qWait(120);
         },
         [&] {
             const std::int64_t at = window_->detailView()->scale().sampleIndexAt(300);
             EXPECT_NEAR(player_.position_, list().secondsAt(at), 1e-9);
             EXPECT_EQ(window_->positionLabel()->text(),
                       QStringLiteral("播放位置 ") + QString::fromStdString(FormatTime(at, kRate)));
             EXPECT_EQ(window_->pointerLabel()->text(),
                       QStringLiteral("指针 ") + QString::fromStdString(FormatTime(at, kRate)));
         }},
        {"Space plays and pauses", [&] { Key(Qt::Key_Space); }, [&] { EXPECT_TRUE(player_.playing_); }},
        {"Space again pauses", [&] { Key(Qt::Key_Space); }, [&] { EXPECT_FALSE(player_.playing_); }},
        {"the wheel zooms around the pointer",
         [&] {
             const double under = window_->detailView()->scale().sampleAt(300);
             QWheelEvent wheel(QPointF(300, 100), window_->detailView()->mapToGlobal(QPointF(300, 100)),
                               QPoint(), QPoint(0, 1200), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase,
                               false);
             QApplication::sendEvent(window_->detailView(), &wheel);
             EXPECT_NEAR(window_->detailView()->scale().sampleAt(300), under, 1.0);
         },
         [&] {
             const ViewScale& scale = window_->detailView()->scale();
             EXPECT_NEAR(scale.samplesPerPixel(), scale.coarsest() * std::pow(0.8, 10),
                         1e-6 * scale.coarsest());
         }},
        {"split at the play position (S) cuts the segment there",
         [&] {
             player_.position_ = list().secondsAt(starts_[4] + kRate);
             Key(Qt::Key_S);
         },
         [&] {
             ASSERT_EQ(list().size(), 6u);
             EXPECT_EQ(list()[2].end, starts_[4] + kRate);
             EXPECT_EQ(list()[3].start, starts_[4] + kRate);
         }},
        {"merge (M) joins the selected segment with the next",
         [&] {
             window_->selectSegment(2);
             Key(Qt::Key_M);
         },
         [&] {
             ASSERT_EQ(list().size(), 5u);
             EXPECT_EQ(list()[2].end, five[2].second);
         }},
        {"remove (Delete) drops the selected segment",
         [&] {
             window_->selectSegment(4);
             window_->removeSelected();
         },
         [&] { EXPECT_EQ(list().size(), 4u); }},
        {"add (A) at the main window's marks",
         [&] {
             marks_ = std::make_pair(list().secondsAt(starts_[8]), list().secondsAt(total));
             Key(Qt::Key_A);
         },
         [&] {
             ASSERT_EQ(list().size(), 5u);
             EXPECT_EQ(list()[4].start, starts_[8]);
             EXPECT_EQ(list()[4].end, total);
         }},
        {"play the segment plays through the player", [&] { Key(Qt::Key_P); },
         [&] {
             ASSERT_FALSE(player_.ranges.empty());
             EXPECT_NEAR(player_.ranges.back().first, list().secondsAt(starts_[8]), 1e-9);
         }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.act();
        step.check();
        if (::testing::Test::HasFatalFailure()) {
            return;
        }
    }

    // The list as a label file and back.
    const SegmentList kept = list();
    EXPECT_TRUE(window_->unsaved());
    window_->exportListFile(dir_.path() / "list.txt");
    EXPECT_FALSE(window_->unsaved());
    window_->partsBox()->setValue(3);
    window_->equalParts();
    window_->importListFile(dir_.path() / "list.txt");
    std::vector<std::pair<std::int64_t, std::int64_t>> keptBounds;
    for (const Segment& s : kept.segments()) {
        keptBounds.emplace_back(s.start, s.end);
    }
    EXPECT_EQ(bounds(), keptBounds);
    window_->importListFile(dir_.path() / "missing.cue");
    EXPECT_EQ(list().size(), kept.size());

    // Export all: the injected export gets the list, the folder and the template, off the GUI thread; the
    // typed times make exactly the pieces they say.
    const fs::path out = dir_.path() / "out";
    fs::create_directories(out);
    window_->nameTemplateEdit()->setText(QStringLiteral("{nn} {stem}"));
    QSignalSpy finished(window_.get(), &SegmentsWindow::exportFinished);
    window_->exportAllTo(out);
    EXPECT_TRUE(window_->progressBar()->isVisible());
    ASSERT_TRUE(finished.wait(20000));
    EXPECT_TRUE(finished.front().front().toBool());
    EXPECT_FALSE(window_->progressBar()->isVisible());
    ASSERT_EQ(requests_.size(), 1u);
    EXPECT_EQ(requests_[0].folder, out);
    EXPECT_EQ(requests_[0].nameTemplate, "{nn} {stem}");
    EXPECT_EQ(requests_[0].list, list());
    for (std::size_t i = 0; i < list().size(); ++i) {
        const fs::path piece = out / PieceFileNames(list(), "{nn} {stem}", "album")[i];
        EXPECT_EQ(static_cast<std::int64_t>(test::DecodeGapless(piece).samples.size()), list()[i].length())
            << piece;
    }
    EXPECT_FALSE(window_->unsaved());

    // Closing with changes asks: No keeps the window and its list, Yes closes it.
    window_->equalParts();
    driver_.onMessage(test::DialogDriver::Answer(QMessageBox::No));
    window_->close();
    EXPECT_TRUE(window_->isVisible());
    EXPECT_EQ(list().size(), 3u);
    driver_.onMessage(test::DialogDriver::Answer(QMessageBox::Yes));
    window_->close();
    EXPECT_FALSE(window_->isVisible());
    EXPECT_EQ(driver_.messages().size(), 2u);
    // Its place is kept in its own section of set.ini.
    EXPECT_EQ(GetPrivateProfileString("segments", "width", "", 16, dir_.path() / "set.ini"),
              std::to_string(window_->width()));
}

TEST_F(SegmentsWindowTest, ExportCanBeCancelledAndReopeningReadsTheCache) {
    window_->partsBox()->setValue(4);
    window_->equalParts();
    // An export that waits for the cancel between pieces.
    std::atomic<bool> sawCancel{false};
    SegmentsWindowSetup setup;
    setup.player = &player_;
    setup.cacheFolder = dir_.path() / "cache";
    setup.exportAll = [&](const ExportRequest& request, const ExportProgressFn& progress) {
        ExportOutcome outcome;
        for (std::size_t i = 0; i < request.list.size(); ++i) {
            for (int wait = 0; wait < 500 && progress(ExportProgress{i, request.list.size()}); ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            if (!progress(ExportProgress{i, request.list.size()})) {
                sawCancel = true;
                outcome.error = ExportError::Cancelled;
                outcome.failedPiece = i;
                return outcome;
            }
        }
        return outcome;
    };
    SegmentsWindow second(setup);
    second.show();
    second.openFile(album_);
    EXPECT_TRUE(second.ready()); // the peaks of the first window's pass, from the cache
    EXPECT_TRUE(second.peaksFromCache());
    EXPECT_EQ(second.list().totalSamples(), starts_.back());
    second.partsBox()->setValue(3);
    second.equalParts();
    QSignalSpy finished(&second, &SegmentsWindow::exportFinished);
    second.exportAllTo(dir_.path());
    QTest::qWait(50);
    auto* cancel = second.findChild<QPushButton*>();
    for (QPushButton* button : second.findChildren<QPushButton*>()) {
        if (button->accessibleName() == QStringLiteral("取消导出")) {
            cancel = button;
        }
    }
    ASSERT_TRUE(cancel->isVisible());
    QTest::mouseClick(cancel, Qt::LeftButton);
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_FALSE(finished.front().front().toBool());
    EXPECT_TRUE(sawCancel);
    EXPECT_TRUE(second.unsaved());
    EXPECT_TRUE(second.statusLabel()->text().contains(QStringLiteral("已取消")));
    driver_.onMessage(test::DialogDriver::Answer(QMessageBox::Yes));
}

} // namespace
} // namespace trimvox
