// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window_fixture.h"

#include "controls/player/display_strip.h"
#include "controls/player/seek_bar.h"
#include "controls/player/waveform_loader.h"

#include <QImage>

#include <cmath>

namespace trimvox::test {
namespace {

class MainWindowWaveform : public MainWindowTest {
protected:
    DisplayStrip& strip() { return *player().findChild<DisplayStrip*>(QStringLiteral("display")); }
    SeekBar& seekBar() { return *player().findChild<SeekBar*>(QStringLiteral("seekBar")); }

    // The x of the column in [expected - 1, expected + 1] whose pixel at `y` has `colour`, or -1.
    static int ColumnWithColour(const QImage& image, double expected, int y, QRgb colour) {
        for (int x = static_cast<int>(std::floor(expected)) - 1;
             x <= static_cast<int>(std::ceil(expected)) + 1; ++x) {
            if (x >= 0 && x < image.width() && image.pixel(x, y) == colour) {
                return x;
            }
        }
        return -1;
    }
    // The marks' markers on the waveform (x = time / length × width) and on the seek bar's groove (which
    // runs from 5 px to 5 px before its right end).
    void ExpectMarkersAt(double start, double end) {
        const double length = player().currentMedia().duration();
        const QImage display = strip().grab().toImage();
        const QImage bar = seekBar().grab().toImage();
        for (const auto& [seconds, stripColour, barColour] :
             {std::tuple{start, DisplayStrip::kStartMarkColour, SeekBar::kStartMarkColour},
              std::tuple{end, DisplayStrip::kEndMarkColour, SeekBar::kEndMarkColour}}) {
            EXPECT_GE(ColumnWithColour(display, seconds / length * display.width(), 1, stripColour), 0)
                << seconds << " s on the waveform";
            EXPECT_GE(ColumnWithColour(bar, 5 + seconds / length * (bar.width() - 10), 0, barColour), 0)
                << seconds << " s on the seek bar";
        }
    }
};

// A file silent for its first half and loud for its second: low columns on the left, high ones on the right,
// on the pixels the main window draws; the marks drawn at their times, in either order.
TEST_F(MainWindowWaveform, ShowsTheLoudnessAndTheMarks) {
    Open(Mp3("half.mp3", LoudnessShape(3.0, 0.8, 3.0)));
    player().controls().pause();
    player().controls().setCurrentPosition(0.0);
    ASSERT_TRUE(WaitUntil([&] { return !strip().waveform().isEmpty() && !strip().waveform().isBusy(); }));

    const QImage image = strip().grab().toImage();
    const auto height = [&](int x) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            count += image.pixel(x, y) == DisplayStrip::kWaveformColour ? 1 : 0;
        }
        return count;
    };
    const int w = image.width();
    for (int x = 4; x < w * 45 / 100; ++x) {
        EXPECT_LE(height(x), 2) << "column " << x;
    }
    for (int x = w * 55 / 100; x < w * 95 / 100; ++x) {
        EXPECT_GE(height(x), image.height() * 6 / 10) << "column " << x;
    }

    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
    player().setFocus(Qt::TabFocusReason);
    const auto markAt = [&](double seconds, Qt::Key key) {
        player().controls().setCurrentPosition(seconds);
        ASSERT_TRUE(
            WaitUntil([&] { return std::abs(player().controls().currentPosition() - seconds) < 0.01; }));
        QTest::keyClick(QApplication::focusWidget(), key);
    };
    markAt(1.5, Qt::Key_I);
    markAt(4.5, Qt::Key_O);
    ExpectMarkersAt(form_->StartPos, form_->EndPos);
    markAt(1.0, Qt::Key_O); // the end before the start
    markAt(5.0, Qt::Key_I);
    ExpectMarkersAt(form_->StartPos, form_->EndPos);

    // Marks at the strip's very ends show inside it: a start mark at 0 (where the play position stands
    // too) and an end mark at the last column show beyond the edge column.
    markAt(0.0, Qt::Key_I);
    player().setEndMark(player().currentMedia().duration());
    const QImage edges = strip().grab().toImage();
    const auto colouredBeyond = [&](QRgb colour, int fromX, int toX) {
        int count = 0;
        for (int x = fromX; x <= toX; ++x) {
            for (int y = 0; y < edges.height(); ++y) {
                count += edges.pixel(x, y) == colour ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GE(colouredBeyond(DisplayStrip::kStartMarkColour, 1, 4), 8) << "the start mark at 0";
    EXPECT_GE(colouredBeyond(DisplayStrip::kEndMarkColour, edges.width() - 5, edges.width() - 2), 8)
        << "the end mark at the end";
}

} // namespace
} // namespace trimvox::test
