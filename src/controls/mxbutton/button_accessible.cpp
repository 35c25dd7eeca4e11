// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/mxbutton/button_accessible.h"

#include "controls/mxbutton/button_input.h"
#include "controls/mxbutton/mxbutton.h"
#include "platform/gdi/text.h"

#include <QKeySequence>

namespace trimvox::mxbutton {

namespace {

QAccessibleInterface* CreateButtonAccessible(const QString& key, QObject* object) {
    auto* button = qobject_cast<mxbutton*>(object);
    if (button == nullptr || key != QLatin1String(mxbutton::staticMetaObject.className())) {
        return nullptr;
    }
    return new ButtonAccessible(button);
}

QKeySequence AccessKeySequence(const mxbutton& button) {
    const QChar key = button.Model().accessKey;
    if (key.isNull()) {
        return {};
    }
    return QKeySequence(QKeyCombination(Qt::AltModifier, Qt::Key(key.toUpper().unicode())));
}

} // namespace

ButtonAccessible::ButtonAccessible(mxbutton* button) : QAccessibleWidget(button, QAccessible::Button) {}

mxbutton* ButtonAccessible::button() const {
    return static_cast<mxbutton*>(widget());
}

QString ButtonAccessible::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name: {
        const QString own = widget()->accessibleName();
        if (!own.isEmpty()) {
            return own;
        }
        const std::u16string caption = button()->Caption().toStdU16String();
        return QString::fromStdU16String(gdi::StripAccessKeyMarkers(caption).text);
    }
    case QAccessible::Accelerator:
        return AccessKeySequence(*button()).toString(QKeySequence::NativeText);
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State ButtonAccessible::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    const QAccessible::State input = ButtonInputStates(*button());
    s.pressed = input.pressed;
    s.checkable = input.checkable;
    s.checked = input.checked;
    s.defaultButton = button()->Model().mIsDefault;
    return s;
}

QStringList ButtonAccessible::actionNames() const {
    return QStringList{pressAction()} + QAccessibleWidget::actionNames();
}

void ButtonAccessible::doAction(const QString& actionName) {
    if (actionName == pressAction()) {
        button()->AccessKeyPress(kKeySpace);
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QStringList ButtonAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName == pressAction()) {
        const QKeySequence key = AccessKeySequence(*button());
        if (!key.isEmpty()) {
            return {key.toString(QKeySequence::NativeText)};
        }
        return {};
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

void InstallButtonAccessibleFactory() {
    static const bool installed = [] {
        QAccessible::installFactory(&CreateButtonAccessible);
        return true;
    }();
    (void)installed;
}

QAccessible::State ButtonInputStates(const mxbutton& button) {
    const ButtonModel& m = button.Model();
    QAccessible::State s;
    s.pressed = (m.mMouseDown && m.mMouseOver) || m.mSpaceDown;
    s.checkable = m.mCheckBoxMode;
    s.checked = m.mCheckBoxMode && m.mValue;
    return s;
}

void ReportButtonInputStates(mxbutton& button, QAccessible::State& reported) {
    if (!QAccessible::isActive()) {
        return;
    }
    const QAccessible::State now = ButtonInputStates(button);
    QAccessible::State changed;
    changed.pressed = now.pressed != reported.pressed;
    changed.checkable = now.checkable != reported.checkable;
    changed.checked = now.checked != reported.checked;
    reported = now;
    if (changed.pressed || changed.checkable || changed.checked) {
        QAccessibleStateChangeEvent event(&button, changed);
        QAccessible::updateAccessibility(&event);
    }
}

void ReportButtonName(mxbutton& button) {
    if (QAccessible::isActive()) {
        QAccessibleEvent event(&button, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }
}

} // namespace trimvox::mxbutton
