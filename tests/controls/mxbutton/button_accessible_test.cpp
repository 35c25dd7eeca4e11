// SPDX-License-Identifier: GPL-3.0-or-later
#include "button_fixture.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>

namespace trimvox::mxbutton {
namespace {

struct AccessibleRow {
    const char* name;
    std::function<void(ButtonFixture&)> setup;
    QString accessibleName;
    // Each state as a screen reader must see it: disabled, focused, pressed, checkable, checked.
    bool disabled;
    bool focused;
    bool pressed;
    bool checkable;
    bool checked;
};

// The fixture's button is captioned "&Open" and has the focus.
const AccessibleRow kRows[] = {
    {"caption with an access key", nullptr, "Open", false, true, false, false, false},
    {"caption with a literal ampersand",
     [](ButtonFixture& f) { f.button->SetCaption(QStringLiteral("Save && &Quit")); }, "Save & Quit", false,
     true, false, false, false},
    {"disabled",
     [](ButtonFixture& f) {
         f.button->clearFocus();
         f.button->SetEnabled(false);
     },
     "Open", true, false, false, false, false},
    {"focus elsewhere", [](ButtonFixture& f) { f.button->clearFocus(); }, "Open", false, false, false, false,
     false},
    {"held with the mouse",
     [](ButtonFixture& f) {
         f.PointerIn();
         f.LeftDown();
     },
     "Open", false, true, true, false, false},
    {"held with Space", [](ButtonFixture& f) { f.SpaceDown(); }, "Open", false, true, true, false, false},
    {"check box, unchecked", [](ButtonFixture& f) { f.button->SetCheckBoxMode(true); }, "Open", false, true,
     false, true, false},
    {"check box, checked",
     [](ButtonFixture& f) {
         f.button->SetCheckBoxMode(true);
         f.button->SetValue(true);
     },
     "Open", false, true, false, true, true},
};

TEST(ButtonAccessible, APushButtonNamedByItsCaptionWithItsStates) {
    for (const AccessibleRow& row : kRows) {
        ButtonFixture f;
        f.button->setFocus();
        if (row.setup) {
            row.setup(f);
        }
        QAccessibleInterface* a = QAccessible::queryAccessibleInterface(f.button);
        ASSERT_NE(a, nullptr) << row.name;
        EXPECT_EQ(a->role(), QAccessible::Button) << row.name;
        EXPECT_EQ(a->text(QAccessible::Name), row.accessibleName) << row.name;
        const QAccessible::State s = a->state();
        EXPECT_EQ(bool(s.disabled), row.disabled) << row.name << ": disabled";
        EXPECT_EQ(bool(s.focused), row.focused) << row.name << ": focused";
        EXPECT_EQ(bool(s.pressed), row.pressed) << row.name << ": pressed";
        EXPECT_EQ(bool(s.checkable), row.checkable) << row.name << ": checkable";
        EXPECT_EQ(bool(s.checked), row.checked) << row.name << ": checked";
    }
}

TEST(ButtonAccessible, ThePressActionClicksAndNamesTheAccessKey) {
    ButtonFixture f;
    QAccessibleActionInterface* action = QAccessible::queryAccessibleInterface(f.button)->actionInterface();
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    EXPECT_EQ(action->keyBindingsForAction(QAccessibleActionInterface::pressAction()),
              QStringList{QKeySequence(Qt::AltModifier | Qt::Key_O).toString(QKeySequence::NativeText)});
    action->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(f.log, QStringList{"Click"});
}

} // namespace
} // namespace trimvox::mxbutton
