// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessibleWidget>

namespace trimvox::mxbutton {

class mxbutton;

// What a screen reader is told of an mxbutton: a push button named by its caption as it is shown (the
// access-key "&" taken out), its access key, whether it is enabled, focused, pressed, a check box and
// checked, and a press action that clicks it as its access key does.
class ButtonAccessible : public QAccessibleWidget {
public:
    explicit ButtonAccessible(mxbutton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    mxbutton* button() const;
};

// Makes every mxbutton answer with a ButtonAccessible; installing it again does nothing.
void InstallButtonAccessibleFactory();

// The states of the button that its own input changes (pressed, checked), for telling a screen reader
// when they change.
QAccessible::State ButtonInputStates(const mxbutton& button);

// Tells a listening screen reader when the states above differ from `reported`, which then takes them.
void ReportButtonInputStates(mxbutton& button, QAccessible::State& reported);
// Tells a listening screen reader that the button's name (its caption) changed.
void ReportButtonName(mxbutton& button);

} // namespace trimvox::mxbutton
