// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/mxbutton/mxbutton.h"
#include "support/active_window.h"

#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <memory>

namespace trimvox::mxbutton {

// A shown and active form holding one restored run-time button, with every event of the button noted in
// `log` ("MouseDown", "Click", "KeyDown 32", ...). Input goes through the platform's window events.
class ButtonFixture {
public:
    explicit ButtonFixture(const PropertyStore& store = DefaultStore(), bool userMode = true) {
        form_.setWindowTitle(QStringLiteral("form"));
        form_.resize(240, 120);
        host.parentHwnd = &form_;
        host.userMode = userMode;
        button = new mxbutton(&form_, &host, 3);
        button->move(20, 20);
        button->resize(89, 33);
        button->ReadProperties(store);
        Record();
        form_.show();
        test::MakeActiveWindow(&form_);
        (void)QTest::qWaitForWindowActive(&form_);
        PointerAway();
        log.clear();
    }

    ~ButtonFixture() {
        // Leave no button held for the next test.
        for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton}) {
            if (QGuiApplication::mouseButtons() & b) {
                QTest::mouseRelease(Window(), b, {}, Outside());
            }
        }
        PointerAway();
    }

    static PropertyStore DefaultStore() {
        PropertyStore store;
        store.Put(QStringLiteral("ButtonStyle"), std::int32_t{0});
        store.Put(QStringLiteral("Caption"), QStringLiteral("&Open"));
        return store;
    }

    QWidget& Form() { return form_; }
    QWindow* Window() { return form_.windowHandle(); }
    QPoint Inside() const { return QPoint(30, 30); } // (10, 10) in the button
    QPoint Outside() const { return QPoint(200, 100); }
    QPoint ButtonPoint(QPoint p) const { return p - QPoint(20, 20); }

    void PointerIn() { QTest::mouseMove(Window(), Inside()); }
    void PointerAway() { QTest::mouseMove(Window(), Outside()); }
    void LeftDown(QPoint at) { QTest::mousePress(Window(), Qt::LeftButton, {}, at); }
    void LeftDown() { LeftDown(Inside()); }
    void LeftUp(QPoint at) { QTest::mouseRelease(Window(), Qt::LeftButton, {}, at); }
    void LeftUp() { LeftUp(Inside()); }
    void RightDown() { QTest::mousePress(Window(), Qt::RightButton, {}, Inside()); }
    void RightUp() { QTest::mouseRelease(Window(), Qt::RightButton, {}, Inside()); }
    void KeyDown(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyPress(button, key, mods); }
    void KeyUp(Qt::Key key, Qt::KeyboardModifiers mods = {}) { QTest::keyRelease(button, key, mods); }
    void SpaceDown() { KeyDown(Qt::Key_Space); }
    void SpaceUp() { KeyUp(Qt::Key_Space); }

    const ButtonModel& M() const { return button->Model(); }

    BasicButtonHost host;
    mxbutton* button = nullptr;
    QStringList log;

private:
    void Record() {
        QObject::connect(button, &mxbutton::Click, [this](int) { log << QStringLiteral("Click"); });
        QObject::connect(button, &mxbutton::DblClick, [this](int) { log << QStringLiteral("DblClick"); });
        QObject::connect(button, &mxbutton::MouseEnter, [this](int) { log << QStringLiteral("MouseEnter"); });
        QObject::connect(button, &mxbutton::MouseLeave, [this](int) { log << QStringLiteral("MouseLeave"); });
        QObject::connect(button, &mxbutton::MouseMove,
                         [this](int, qint16, qint16, float, float) { log << QStringLiteral("MouseMove"); });
        QObject::connect(button, &mxbutton::MouseDown,
                         [this](int, qint16, qint16, float, float) { log << QStringLiteral("MouseDown"); });
        QObject::connect(button, &mxbutton::MouseUp,
                         [this](int, qint16, qint16, float, float) { log << QStringLiteral("MouseUp"); });
        QObject::connect(button, &mxbutton::KeyDown,
                         [this](int, qint16 k, qint16) { log << QStringLiteral("KeyDown %1").arg(k); });
        QObject::connect(button, &mxbutton::KeyUp,
                         [this](int, qint16 k, qint16) { log << QStringLiteral("KeyUp %1").arg(k); });
    }

    QWidget form_;
};

} // namespace trimvox::mxbutton
