// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/button_model.h"

#include <QString>

#include <optional>

class QObject;

namespace trimvox::mxbutton {

// What a button needs from the form that hosts it: the ambient properties, the notice that a property
// changed (so that a form designer knows to store the instance), and the parent object's "hWnd" and
// "MDIChild" properties.
class ButtonHost {
public:
    virtual ~ButtonHost() = default;

    virtual QString AmbientDisplayName() const = 0;
    virtual FontPtr AmbientFont() const = 0;
    virtual bool AmbientUserMode() const = 0;
    virtual bool AmbientDisplayAsDefault() const = 0;
    virtual OleColor AmbientBackColor() const = 0;

    // A property of the button was written.
    virtual void PropertyChanged(const QString& propertyName) = 0;

    // The parent object's "hWnd": the window whose activation the button watches.
    virtual QObject* ParentHwnd() const = 0;
    // The parent object's "MDIChild"; no value when the parent has no such property.
    virtual std::optional<bool> ParentMDIChild() const = 0;
};

// A host whose ambient properties are plain fields: what a form gives its buttons unless it needs more.
class BasicButtonHost : public ButtonHost {
public:
    QString displayName = QStringLiteral("mxbutton1");
    FontPtr font;
    bool userMode = true;
    bool displayAsDefault = false;
    OleColor backColor = kSystemButtonFace;
    QObject* parentHwnd = nullptr;
    std::optional<bool> mdiChild = false;

    QString AmbientDisplayName() const override { return displayName; }
    FontPtr AmbientFont() const override { return font; }
    bool AmbientUserMode() const override { return userMode; }
    bool AmbientDisplayAsDefault() const override { return displayAsDefault; }
    OleColor AmbientBackColor() const override { return backColor; }
    void PropertyChanged(const QString&) override {}
    QObject* ParentHwnd() const override { return parentHwnd; }
    std::optional<bool> ParentMDIChild() const override { return mdiChild; }
};

} // namespace trimvox::mxbutton
