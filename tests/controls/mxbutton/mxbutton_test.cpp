// SPDX-License-Identifier: GPL-3.0-or-later
#include "button_fixture.h"

#include "controls/mxbutton/font_object.h"
#include "controls/mxbutton/platform_exports.h"
#include "controls/mxbutton/window_messages.h"
#include "platform/gdi/picture.h"
#include "platform/gdi/system_colors.h"
#include "support/active_window.h"

#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace trimvox::mxbutton {
namespace {

class RecordingHost : public BasicButtonHost {
public:
    void PropertyChanged(const QString& name) override { notified << name; }
    QStringList notified;
};

PicturePtr SomePicture() {
    return std::make_shared<gdi::Picture>(gdi::Picture::MakeBitmap(2, 2, {1, 2, 3, 4}));
}

OleColor Face() {
    return gdi::ResolveColor(gdi::kSysButtonFace);
}
OleColor Text() {
    return gdi::ResolveColor(gdi::kSysButtonText);
}

TEST(Mxbutton, ANewInstanceIsNamedAfterItselfWithTheStandardLook) {
    RecordingHost host;
    host.displayName = QStringLiteral("mxbutton2");
    mxbutton b(nullptr, &host);
    b.InitProperties();
    EXPECT_EQ(b.Caption(), QStringLiteral("mxbutton2"));
    EXPECT_EQ(b.ButtonStyle(), 0);
    EXPECT_TRUE(b.ShowFocusRect());
    EXPECT_TRUE(b.Enabled());
    EXPECT_EQ(b.BackColor(), Face());
    EXPECT_EQ(b.ForeColor(), Text());
    EXPECT_EQ(b.Font(), nullptr);
    EXPECT_EQ(b.Surface().Font().name, "Tahoma");
    EXPECT_EQ(b.Width(), 1335);
    EXPECT_EQ(b.Height(), 495);
    EXPECT_EQ(b.Model().mWidth, 89);
    EXPECT_EQ(b.Model().mHeight, 33);
}

struct WriteRow {
    const char* name;
    std::function<void(mxbutton&)> write;
    QStringList notified;
};

TEST(Mxbutton, EveryWriteNotifiesTheHostWithThePropertysName) {
    const WriteRow rows[] = {
        {"BackColor", [](mxbutton& b) { b.SetBackColor(0x123456); }, {"BackColor"}},
        {"ButtonStyle", [](mxbutton& b) { b.SetButtonStyle(5); }, {"ButtonStyle"}},
        {"Caption", [](mxbutton& b) { b.SetCaption("&Go"); }, {"Caption"}},
        {"CaptionAlign", [](mxbutton& b) { b.SetCaptionAlign(2); }, {"CaptionAlign"}},
        {"CheckBoxMode", [](mxbutton& b) { b.SetCheckBoxMode(true); }, {"Value", "CheckBoxMode"}},
        {"Enabled", [](mxbutton& b) { b.SetEnabled(false); }, {"Enabled"}},
        {"Font", [](mxbutton& b) { b.SetFont(std::make_shared<FontObject>()); }, {"Font", "Font"}},
        {"ForeColor", [](mxbutton& b) { b.SetForeColor(0xFF); }, {"ForeColor"}},
        {"HandPointer", [](mxbutton& b) { b.SetHandPointer(true); }, {"HandPointer"}},
        {"MaskColor", [](mxbutton& b) { b.SetMaskColor(0xFF00FF); }, {"MaskColor"}},
        {"MouseIcon", [](mxbutton& b) { b.SetMouseIcon(SomePicture()); }, {"MouseIcon"}},
        {"MousePointer", [](mxbutton& b) { b.SetMousePointer(11); }, {"MousePointer"}},
        {"Picture", [](mxbutton& b) { b.SetPicture(SomePicture()); }, {"Picture"}},
        {"Picture cleared", [](mxbutton& b) { b.SetPicture(nullptr); }, {}},
        {"PictureAlign", [](mxbutton& b) { b.SetPictureAlign(4); }, {"PictureAlign"}},
        {"PictureHover without Picture",
         [](mxbutton& b) { b.SetPictureHover(SomePicture()); },
         {"Picture", "PictureHover"}},
        // Without a Picture, Picture takes the (empty) hover picture too and is notified.
        {"PictureHover cleared", [](mxbutton& b) { b.SetPictureHover(nullptr); }, {"Picture"}},
        {"PictureSize", [](mxbutton& b) { b.SetPictureSize(2); }, {"PictureSize"}},
        {"ShowFocusRect", [](mxbutton& b) { b.SetShowFocusRect(false); }, {"ShowFocusRect"}},
        {"UseMaskColor", [](mxbutton& b) { b.SetUseMaskColor(true); }, {"UseMaskColor"}},
        {"Value outside check-box mode", [](mxbutton& b) { b.SetValue(true); }, {}},
        {"Value in check-box mode",
         [](mxbutton& b) {
             b.SetCheckBoxMode(true);
             b.SetValue(true);
         },
         {"Value", "CheckBoxMode", "Value"}},
    };
    for (const WriteRow& row : rows) {
        RecordingHost host;
        mxbutton b(nullptr, &host);
        b.InitProperties();
        host.notified.clear();
        row.write(b);
        EXPECT_EQ(host.notified.join(','), row.notified.join(',')) << row.name;
    }
}

// Changing the font object in place reaches the button: a redraw with the new font and one "Font" notice;
// a write that changes nothing, and a font the button no longer shows, reach it not at all.
TEST(Mxbutton, ChangesOfTheFontObjectRedrawAndNotify) {
    struct FontRow {
        const char* name;
        std::function<void(FontObject&)> change;
        std::function<bool(const gdi::FontDescription&)> shown;
        int notices;
    };
    const FontRow rows[] = {
        {"name", [](FontObject& f) { f.SetName("SimSun"); }, [](auto& d) { return d.name == "SimSun"; }, 1},
        {"size", [](FontObject& f) { f.SetSize(12); }, [](auto& d) { return d.size == 12; }, 1},
        {"bold", [](FontObject& f) { f.SetBold(true); }, [](auto& d) { return d.weight == 700; }, 1},
        {"italic", [](FontObject& f) { f.SetItalic(true); }, [](auto& d) { return d.italic; }, 1},
        {"underline", [](FontObject& f) { f.SetUnderline(true); }, [](auto& d) { return d.underline; }, 1},
        {"strikethrough", [](FontObject& f) { f.SetStrikethrough(true); },
         [](auto& d) { return d.strikethrough; }, 1},
        {"charset", [](FontObject& f) { f.SetCharset(134); }, [](auto& d) { return d.charset == 134; }, 1},
        {"same size again", [](FontObject& f) { f.SetSize(9); }, [](auto& d) { return d.size == 9; }, 0},
    };
    for (const FontRow& row : rows) {
        RecordingHost host;
        mxbutton b(nullptr, &host);
        b.InitProperties();
        b.SetFont(std::make_shared<FontObject>(gdi::FontDescription{"Tahoma", 9, 400, 1}));
        host.notified.clear();
        const std::uint64_t redraws = b.RedrawCount();
        row.change(*b.Font());
        EXPECT_EQ(host.notified.count(QStringLiteral("Font")), row.notices) << row.name;
        EXPECT_EQ(b.RedrawCount() > redraws, row.notices > 0) << row.name;
        EXPECT_TRUE(row.shown(b.Surface().Font())) << row.name << ": the caption shows the font";
    }

    RecordingHost host;
    mxbutton b(nullptr, &host);
    b.InitProperties();
    const auto first = std::make_shared<FontObject>();
    b.SetFont(first);
    b.SetFont(std::make_shared<FontObject>());
    host.notified.clear();
    first->SetBold(true);
    EXPECT_TRUE(host.notified.isEmpty()) << "a font that was replaced is no longer watched";
}

TEST(Mxbutton, StyleWritesApplyTheStylesColoursAndFocusRectangle) {
    mxbutton b;
    b.InitProperties();
    b.SetButtonStyle(5);
    EXPECT_EQ(b.BackColor(), 0xAA6D00u);
    EXPECT_EQ(b.ForeColor(), 0xFFFFFFu);
    EXPECT_TRUE(b.ShowFocusRect());
    b.SetButtonStyle(7);
    EXPECT_EQ(b.BackColor(), 0xFFD1ADu);
    EXPECT_EQ(b.ForeColor(), Text());
    b.SetButtonStyle(16);
    EXPECT_EQ(b.BackColor(), 0xFFD1ADu) << "an unknown style keeps the face";
    EXPECT_FALSE(b.ShowFocusRect());
    EXPECT_EQ(b.mask(), QRegion(b.rect())) << "and gets a plain rectangle";
}

TEST(Mxbutton, ValueAndCheckBoxModeFollowTheirRules) {
    mxbutton b;
    b.InitProperties();
    b.SetValue(true);
    EXPECT_FALSE(b.Value()) << "outside check-box mode Value is not kept";
    b.SetCheckBoxMode(true);
    b.SetValue(true);
    b.SetCheckBoxMode(false);
    EXPECT_TRUE(b.Value()) << "leaving check-box mode keeps Value";
    EXPECT_EQ(b.Model().mButtonState, ButtonState::Normal);
}

TEST(Mxbutton, MouseIconSwitchesThePointerShape) {
    mxbutton b;
    b.InitProperties();
    b.SetMouseIcon(SomePicture());
    EXPECT_EQ(b.MousePointer(), 99);
    EXPECT_EQ(b.cursor().shape(), Qt::BitmapCursor);
    auto hand = std::make_shared<gdi::Picture>(
        gdi::Picture::MakeIcon(32, 32, std::vector<gdi::Pixel>(1024, 0), std::vector<std::uint8_t>(1024, 0)));
    hand->hotSpotX = 5;
    hand->hotSpotY = 0;
    b.SetMouseIcon(hand);
    EXPECT_EQ(b.cursor().hotSpot(), QPoint(5, 0)) << "a cursor picture points with its own hot spot";
    b.SetMouseIcon(nullptr);
    EXPECT_EQ(b.MousePointer(), 0);
    b.SetMousePointer(11);
    EXPECT_EQ(b.cursor().shape(), Qt::WaitCursor);
    EXPECT_THROW(b.SetMousePointer(40000), std::overflow_error);
    EXPECT_EQ(b.MousePointer(), 11);
}

TEST(Mxbutton, TheOuterSizeNeverFallsBelow220Twips) {
    mxbutton b;
    b.InitProperties();
    b.SetWidth(100);
    b.SetHeight(100);
    EXPECT_EQ(b.Width(), 220);
    EXPECT_EQ(b.Height(), 220);
    EXPECT_EQ(b.width(), 15);
    b.SetWidth(855);
    b.SetHeight(375);
    EXPECT_EQ(b.width(), 57);
    EXPECT_EQ(b.height(), 25);

    QWidget form;
    auto* shown = new mxbutton(&form);
    shown->InitProperties();
    form.show();
    shown->resize(4, 40); // a size in pixels from outside
    QCoreApplication::processEvents();
    EXPECT_EQ(shown->Width(), 220);
    EXPECT_EQ(shown->width(), 15);
    EXPECT_EQ(shown->Height(), 600);
}

TEST(Mxbutton, TheWindowOutlineFollowsTheStyle) {
    mxbutton b;
    b.InitProperties();
    b.resize(57, 25);
    b.SetButtonStyle(14);
    const QRegion rounded = b.mask();
    EXPECT_FALSE(rounded.contains(QPoint(0, 0)));
    EXPECT_FALSE(rounded.contains(QPoint(56, 24)));
    EXPECT_TRUE(rounded.contains(QPoint(28, 12)));
    EXPECT_TRUE(rounded.contains(QPoint(28, 0)));
    b.SetButtonStyle(9);
    EXPECT_EQ(b.mask(), QRegion(0, 0, 57, 25));
    b.SetButtonStyle(3);
    EXPECT_FALSE(b.mask().contains(QPoint(0, 0)));
    EXPECT_TRUE(b.mask().contains(QPoint(1, 1)));
}

TEST(Mxbutton, TheOutlineIsBuiltAgainOnlyForANewStyleOrSize) {
    mxbutton b;
    b.InitProperties();
    b.SetButtonStyle(2);
    b.setMask(QRegion(0, 0, 1, 1)); // a stand-in that a rebuild would replace
    b.BuildWindowRegion();
    b.Redraw();
    EXPECT_EQ(b.mask(), QRegion(0, 0, 1, 1));
    b.SetButtonStyle(3);
    EXPECT_NE(b.mask(), QRegion(0, 0, 1, 1));
}

TEST(Mxbutton, PaintShowsTheSurfaceInOneBlit) {
    mxbutton b;
    b.InitProperties();
    b.SetButtonStyle(9);
    b.SetBackColor(0x0000FF); // red face
    const QImage shown = b.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(89, 33));
    const gdi::Pixel p = b.Surface().Bits()[16 * 89 + 44];
    EXPECT_EQ(shown.pixel(44, 16) & 0xFFFFFFu, p & 0xFFFFFFu);
}

// ---- hooks ----

TEST(MxbuttonHooks, RestoringAtRunTimeHooksTheButtonAndItsForm) {
    ButtonFixture f;
    const SubclassTable& hooks = f.button->Hooks();
    ASSERT_EQ(hooks.Entries().size(), 2u);
    EXPECT_EQ(hooks.Entries()[0].window, f.button);
    EXPECT_EQ(hooks.Entries()[0].afterTable, (std::vector<std::int32_t>{kMsgMouseMove, kMsgMouseLeave}));
    EXPECT_EQ(hooks.Entries()[1].window, &f.Form());
    EXPECT_EQ(hooks.Entries()[1].afterTable, (std::vector<std::int32_t>{kMsgActivate}));
    EXPECT_TRUE(f.M().mTrackMouse);
    EXPECT_TRUE(f.M().mTrackUser32);
}

TEST(MxbuttonHooks, AnMdiChildOrAParentThatCannotTellIsWatchedForNonClientActivation) {
    for (const std::optional<bool> mdi : {std::optional<bool>(true), std::optional<bool>()}) {
        QWidget form;
        BasicButtonHost host;
        host.parentHwnd = &form;
        host.mdiChild = mdi;
        mxbutton b(&form, &host);
        b.ReadProperties(PropertyStore{});
        ASSERT_EQ(b.Hooks().Entries().size(), 2u);
        EXPECT_EQ(b.Hooks().Entries()[1].afterTable, (std::vector<std::int32_t>{kMsgNcActivate}));
    }
}

TEST(MxbuttonHooks, NoHooksAtDesignTimeOrWithoutTracking) {
    {
        ButtonFixture design(ButtonFixture::DefaultStore(), false);
        EXPECT_TRUE(design.button->Hooks().Entries().empty());
        EXPECT_EQ(WindowHookChain::HookCount(design.button), 0);
    }
    {
        ScopedMissingExports missing({QStringLiteral("TrackMouseEvent"), QStringLiteral("_TrackMouseEvent")});
        ButtonFixture f;
        EXPECT_FALSE(f.M().mTrackMouse);
        EXPECT_TRUE(f.button->Hooks().Entries().empty());
        EXPECT_EQ(WindowHookChain::HookCount(&f.Form()), 0);
        f.PointerIn();
        EXPECT_EQ(f.log.join(','), QStringLiteral("MouseMove")) << "no entering without hooks";
        EXPECT_FALSE(f.M().mMouseOver);
    }
    {
        ScopedMissingExports missing({QStringLiteral("TrackMouseEvent")});
        ButtonFixture f;
        EXPECT_TRUE(f.M().mTrackMouse);
        EXPECT_FALSE(f.M().mTrackUser32) << "the common-controls call stands in";
        f.PointerIn();
        f.PointerAway();
        EXPECT_EQ(f.log.join(','), QStringLiteral("MouseMove,MouseEnter,MouseLeave"));
    }
}

TEST(MxbuttonHooks, ButtonsOnOneFormComeOffInAnyOrder) {
    QWidget form;
    form.show();
    BasicButtonHost host;
    host.parentHwnd = &form;
    mxbutton* buttons[3];
    for (int i = 0; i < 3; ++i) {
        buttons[i] = new mxbutton(&form, &host, i);
        buttons[i]->move(10 + 100 * i, 10);
        buttons[i]->ReadProperties(PropertyStore{});
    }
    test::MakeActiveWindow(&form);
    EXPECT_EQ(WindowHookChain::HookCount(&form), 3);
    delete buttons[1];
    delete buttons[0];
    EXPECT_EQ(WindowHookChain::HookCount(&form), 1);
    QWidget other;
    other.show();
    test::MakeActiveWindow(&other);
    EXPECT_FALSE(buttons[2]->Model().mParentActive) << "the last button still hears its form";
    test::MakeActiveWindow(&form);
    EXPECT_TRUE(buttons[2]->Model().mParentActive);
    delete buttons[2];
    EXPECT_EQ(WindowHookChain::HookCount(&form), 0);
}

TEST(MxbuttonHooks, TheFormGoingFirstLeavesNothingBehind) {
    auto* form = new QWidget;
    BasicButtonHost host;
    host.parentHwnd = form;
    auto* b = new mxbutton(form, &host);
    b->ReadProperties(PropertyStore{});
    delete form; // takes the button with it
    EXPECT_EQ(WindowHookChain::HookCount(form), 0);
}

// ---- cursor, ambient properties ----

TEST(Mxbutton, TheHandCursorShowsOverTheButton) {
    PropertyStore store = ButtonFixture::DefaultStore();
    store.Put(QStringLiteral("HandPointer"), true);
    ButtonFixture f(store);
    EXPECT_TRUE(f.M().mHandCursor);
    f.PointerIn();
    QTest::mouseMove(f.Window(), f.Inside() + QPoint(1, 0));
    EXPECT_EQ(f.button->cursor().shape(), Qt::PointingHandCursor);

    ButtonFixture g;
    EXPECT_FALSE(g.M().mHandCursor);
    g.button->SetHandPointer(true);
    EXPECT_TRUE(g.M().mHandCursor) << "written at run time, the cursor is loaded at once";
}

TEST(Mxbutton, AmbientDefaultButtonChangesAreFollowed) {
    ButtonFixture f;
    f.host.displayAsDefault = true;
    const std::uint64_t before = f.button->RedrawCount();
    f.button->AmbientChanged(QStringLiteral("DisplayAsDefault"));
    EXPECT_TRUE(f.M().mIsDefault);
    EXPECT_GT(f.button->RedrawCount(), before);
    const std::uint64_t after = f.button->RedrawCount();
    f.button->AmbientChanged(QStringLiteral("Font"));
    EXPECT_EQ(f.button->RedrawCount(), after);
}

TEST(Mxbutton, AButtonClosedWhileWaitingMessagesRunClicksNothing) {
    auto* f = new ButtonFixture;
    QStringList clicks;
    QObject::connect(f->button, &mxbutton::Click, [&clicks](int) { clicks << QStringLiteral("Click"); });
    QTimer::singleShot(0, [f] { delete f->button; });
    f->button->AccessKeyPress('o');
    EXPECT_TRUE(clicks.isEmpty());
    delete f;
}

TEST(Mxbutton, AboutShowsTheControlsNameAndPurpose) {
    mxbutton b;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        box->accept();
    });
    b.About();
    EXPECT_EQ(title, QStringLiteral("About"));
    EXPECT_EQ(text, QStringLiteral("MXButton\nA Multistyle Button Control"));
    EXPECT_EQ(icon, QMessageBox::Information);
}

TEST(Mxbutton, RestoreReadsTheStoreAndWritesItBackTheSame) {
    PropertyStore store;
    store.Put(QStringLiteral("buttonstyle"), std::int32_t{14});
    store.Put(QStringLiteral("backcolor"), OleColor{0xD0D0D0});
    store.Put(QStringLiteral("caption"), QStringLiteral("打开"));
    store.Put(QStringLiteral("picturesize"), std::int32_t{2});
    store.Put(QStringLiteral("mousepointer"), std::int32_t{99});
    store.Put(QStringLiteral("mouseicon"), SomePicture());
    BasicButtonHost host;
    host.userMode = false;
    mxbutton b(nullptr, &host);
    b.ReadProperties(store);
    EXPECT_EQ(b.ButtonStyle(), 14);
    EXPECT_EQ(b.PictureSize(), 2);
    EXPECT_EQ(b.MousePointer(), 99);
    EXPECT_FALSE(b.ShowFocusRect());
    PropertyStore written;
    b.WriteProperties(written);
    EXPECT_EQ(written.Read<std::int32_t>(QStringLiteral("PictureSize"), 0), 2);
    EXPECT_EQ(written.Read<QString>(QStringLiteral("Caption"), {}), QStringLiteral("打开"));
    EXPECT_EQ(written.Read<std::int32_t>(QStringLiteral("MousePointer"), 0), 99);
}

} // namespace
} // namespace trimvox::mxbutton
