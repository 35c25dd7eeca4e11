// SPDX-License-Identifier: GPL-3.0-or-later
// The main window built from its design: every control where the design puts it, with its caption, font
// and pointer; the timers; the tab order; and clicks on the buttons reaching the buttons, not the player
// they lie over.

#include "app/design/app_fonts.h"
#include "app/design/form1_design.h"
#include "app/design/form1_expected.h"
#include "app/main_window/form1.h"
#include "controls/mxbutton/font_object.h"
#include "platform/gdi/picture.h"
#include "support/temp_data_home.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace trimvox {
namespace {
using namespace form1_expected;

class Form1Window : public testing::Test {
protected:
    static void SetUpTestSuite() { RegisterFontSubstitutions(); }
    void SetUp() override { controls_ = BuildForm1Design(form_); }

    QWidget* Control(const Expected& e) {
        const QString name = QString::fromUtf8(e.name);
        if (name == QStringLiteral("mxb")) {
            return controls_.mxb[e.index];
        }
        QWidget* byName = form_.findChild<QWidget*>(name);
        return byName;
    }

    QWidget form_;
    Form1Controls controls_;
};

TEST_F(Form1Window, WindowIsFixedWithMinimizeAndCloseOnly) {
    EXPECT_EQ(form_.windowTitle(), QStringLiteral("Trimvox"));
    EXPECT_EQ(form_.minimumSize(), QSize(568, 265));
    EXPECT_EQ(form_.maximumSize(), QSize(568, 265));
    const Qt::WindowFlags flags = form_.windowFlags();
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    const QList<QSize> sizes = form_.windowIcon().availableSizes();
    for (const QSize s : {QSize(48, 48), QSize(32, 32), QSize(24, 24), QSize(16, 16)}) {
        EXPECT_TRUE(sizes.contains(s)) << s.width();
    }
}

TEST_F(Form1Window, ControlsStandWhereTheDesignPutsThem) {
    for (const Expected& e : kControls) {
        SCOPED_TRACE(std::string(e.name) + "(" + std::to_string(e.index) + ")");
        QWidget* w = Control(e);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), QRect(e.left, e.top, e.width, e.height));
        const QString container = QString::fromUtf8(e.container);
        EXPECT_EQ(w->parentWidget()->objectName(), container.isEmpty() ? form_.objectName() : container);
        QString caption;
        if (auto* b = qobject_cast<mxbutton::mxbutton*>(w)) {
            caption = b->Caption();
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            caption = l->text();
        } else if (auto* f = qobject_cast<QGroupBox*>(w)) {
            caption = f->title();
        }
        if (e.caption != nullptr) {
            EXPECT_EQ(caption, QString::fromUtf8(e.caption));
        }
    }
    // Labels wrap at their width and keep to their place.
    for (QLabel* l : {controls_.Label1, controls_.Label5, static_cast<QLabel*>(controls_.Label8)}) {
        EXPECT_TRUE(l->wordWrap());
        EXPECT_EQ(l->alignment(), Qt::AlignLeft | Qt::AlignTop);
    }
}

TEST_F(Form1Window, ButtonsAreThePixelArtStyleWithTheirPictures) {
    const QSize pictures[] = {{15, 16}, {15, 17}, {15, 17}, {14, 17}, {15, 15}, {19, 19}};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const mxbutton::mxbutton* b = controls_.mxb[i];
        EXPECT_EQ(b->Index(), i);
        EXPECT_EQ(b->ButtonStyle(), 14);
        EXPECT_EQ(b->BackColor(), 0xD0D0D0u);
        ASSERT_TRUE(b->Font());
        EXPECT_EQ(b->Font()->Name(), "宋体");
        EXPECT_EQ(b->MousePointer(), 99);
        ASSERT_TRUE(b->Picture());
        EXPECT_EQ(QSize(b->Picture()->width, b->Picture()->height), pictures[i]);
        // The hand, pointing with its fingertip.
        EXPECT_EQ(b->cursor().shape(), Qt::BitmapCursor);
        EXPECT_EQ(b->cursor().hotSpot(), QPoint(5, 0));
    }
}

TEST_F(Form1Window, CreditLineIsBoldSongWithTheHand) {
    const QFont f = controls_.Label8->font();
    EXPECT_TRUE(f.bold());
    EXPECT_DOUBLE_EQ(f.pointSizeF(), 10.5);
    EXPECT_EQ(f.family(), QStringLiteral("宋体"));
    EXPECT_EQ(controls_.Label8->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(controls_.Label8->cursor().hotSpot(), QPoint(5, 0));
    // It fits on its one line.
    EXPECT_LE(QFontMetrics(f).horizontalAdvance(controls_.Label8->text()), controls_.Label8->width());
    QSignalSpy clicked(controls_.Label8, &ClickableLabel::Click);
    QTest::mouseClick(controls_.Label8, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(Form1Window, Timer2RunsAndTimer1Waits) {
    ASSERT_TRUE(controls_.Timer1 && controls_.Timer2);
    EXPECT_EQ(controls_.Timer1->interval(), 200);
    EXPECT_FALSE(controls_.Timer1->isActive());
    EXPECT_EQ(controls_.Timer2->interval(), 200);
    EXPECT_TRUE(controls_.Timer2->isActive());
}

TEST_F(Form1Window, FocusGoesFromThePlayerThroughTheButtonsInOrder) {
    std::vector<QWidget*> focusable{controls_.wmp};
    for (auto* b : controls_.mxb) {
        focusable.push_back(b);
    }
    std::vector<QWidget*> order;
    QWidget* w = controls_.wmp;
    do {
        if (std::find(focusable.begin(), focusable.end(), w) != focusable.end()) {
            order.push_back(w);
        }
        w = w->nextInFocusChain();
    } while (w != controls_.wmp && order.size() < 20);
    EXPECT_EQ(order, focusable);
}

// Clicks sent to the window at the centre of each button: the window's own hit-testing decides who gets them.
TEST_F(Form1Window, ClickAtTheCentreOfEachButtonReachesThatButton) {
    form_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form_));
    int playerPresses = 0;
    struct Counter : QObject {
        int* count;
        explicit Counter(int* c) : count(c) {}
        bool eventFilter(QObject*, QEvent* e) override {
            if (e->type() == QEvent::MouseButtonPress) {
                ++*count;
            }
            return false;
        }
    } counter(&playerPresses);
    controls_.wmp->installEventFilter(&counter);
    for (QWidget* child : controls_.wmp->findChildren<QWidget*>()) {
        child->installEventFilter(&counter);
    }
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        mxbutton::mxbutton* b = controls_.mxb[i];
        const QPoint centre = b->geometry().center();
        EXPECT_EQ(form_.childAt(centre), b);
        QSignalSpy clicks(b, &mxbutton::mxbutton::Click);
        QTest::mouseMove(form_.windowHandle(), centre);
        QTest::mouseClick(form_.windowHandle(), Qt::LeftButton, {}, centre);
        ASSERT_EQ(clicks.count(), 1);
        EXPECT_EQ(clicks.at(0).at(0).toInt(), i);
    }
    EXPECT_EQ(playerPresses, 0);
}

// The picture of the main window that the README shows: the program's window after its start-up (stored
// skin applied), written next to the test binary.
TEST(Form1Screenshot, ProgramWindowAfterStartUp) {
    RegisterFontSubstitutions();
    test::TempDataHome home;
    Form1 form;
    ASSERT_TRUE(form.Form_Initialize());
    form.Form_Load();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QImage shot = form.grab().toImage();
    EXPECT_EQ(shot.size(), QSize(568, 265));
    EXPECT_TRUE(shot.save(QDir::currentPath() + QStringLiteral("/form1_screenshot.png")));
}

} // namespace
} // namespace trimvox
