// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/main_window_keys.h"

#include "app/main_window/edge_preview.h"
#include "app/main_window/form1.h"
#include "controls/player/media_player.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPointer>
#include <QShortcut>

#include <algorithm>
#include <functional>
#include <vector>

namespace trimvox {

namespace {

constexpr double kStepSeconds = 1.0;
constexpr double kLongStepSeconds = 10.0;
constexpr double kShortStepSeconds = 0.1;
constexpr double kEdgeSeconds = 2.0;
// End goes this far before the length that the file's header gives: the player cannot seek past the end of
// its audio, which the encoder's padding makes a few hundredths shorter, and would start over instead.
constexpr double kEndMarginSeconds = 0.1;

// The buttons' tooltips: the caption and the key.
const struct {
    int index;
    const char* tip;
} kButtonTips[] = {
    {0, "打开 (Ctrl+O)"}, {1, "起始 (I, [)"}, {2, "结束 (O, ])"}, {3, "预览 (P)"}, {4, "保存 (Ctrl+S)"},
};

bool DialogOpen() {
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(), [](QWidget* window) {
        return window->isVisible() && qobject_cast<QDialog*>(window) != nullptr;
    });
}

// A button keeps its own keys (the plain arrows, which move the focus between the buttons, and Space, which
// presses it) only while the keyboard gave it the focus (Tab, an arrow, an access key). A button that took
// the focus from a mouse click leaves every key to the window, so that marking with the mouse and moving
// with the keys mix: the arrows seek and Space plays and pauses as when the player has the focus.
class ButtonKeys : public QObject {
public:
    ButtonKeys(QObject* parent, QWidget* player) : QObject(parent), player_(player) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            clicked_ = watched; // also a button that had the focus already
            break;
        case QEvent::FocusIn:
            NoteFocus(watched, static_cast<QFocusEvent*>(event)->reason());
            break;
        case QEvent::ShortcutOverride:
            // Claimed, the arrow reaches the button; else the window's shortcut takes it.
            if (KeepsOwnKeys(watched) && IsPlainArrow(*static_cast<QKeyEvent*>(event))) {
                event->accept();
                return true;
            }
            break;
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            if (auto* key = static_cast<QKeyEvent*>(event); !KeepsOwnKeys(watched) && IsSpace(*key)) {
                if (event->type() == QEvent::KeyPress && player_ != nullptr && !DialogOpen()) {
                    QKeyEvent forwarded(QEvent::KeyPress, key->key(), key->modifiers(), key->text(),
                                        key->isAutoRepeat());
                    QCoreApplication::sendEvent(player_, &forwarded);
                }
                return true;
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void NoteFocus(QObject* button, Qt::FocusReason reason) {
        switch (reason) {
        case Qt::MouseFocusReason:
            clicked_ = button;
            break;
        case Qt::ActiveWindowFocusReason:
        case Qt::PopupFocusReason:
        case Qt::MenuBarFocusReason:
            break; // the focus came back where it was: it stays as it came
        default:
            if (clicked_ == button) {
                clicked_ = nullptr;
            }
            break;
        }
    }
    bool KeepsOwnKeys(QObject* button) const { return clicked_ != button; }

    static bool IsPlainArrow(const QKeyEvent& key) {
        const bool arrow = key.key() == Qt::Key_Left || key.key() == Qt::Key_Right ||
                           key.key() == Qt::Key_Up || key.key() == Qt::Key_Down;
        return arrow && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    }
    static bool IsSpace(const QKeyEvent& key) {
        return key.key() == Qt::Key_Space && key.modifiers() == Qt::NoModifier;
    }

    QWidget* player_;
    QPointer<QObject> clicked_; // the button that has the focus from a mouse click, if any
};

class MainWindowKeys : public QObject {
public:
    explicit MainWindowKeys(Form1& form) : QObject(&form), form_(form) {
        MediaPlayer* player = form.controls().wmp;
        if (player != nullptr) {
            edge_ = new EdgePreview(*player, this);
        }
        for (const auto& [keys, command] :
             std::initializer_list<std::pair<std::vector<QKeySequence>, std::function<void()>>>{
                 {{Qt::Key_I, Qt::Key_BracketLeft}, [this] { form_.mxb_Click(1); }},
                 {{Qt::Key_O, Qt::Key_BracketRight}, [this] { form_.mxb_Click(2); }},
                 {{Qt::Key_P}, [this] { form_.mxb_Click(3); }},
                 {{Qt::CTRL | Qt::Key_O}, [this] { form_.mxb_Click(0); }},
                 {{Qt::CTRL | Qt::Key_S}, [this] { form_.mxb_Click(4); }},
                 {{Qt::CTRL | Qt::Key_L}, [this] { form_.OpenSegmentsWindow(); }},
                 {{Qt::Key_Home}, [this] { seekTo(0.0); }},
                 {{Qt::Key_End}, [this] { seekTo(duration() - kEndMarginSeconds); }},
                 {{Qt::Key_F6}, [this] { playEdge(form_.StartPos, form_.StartPos + kEdgeSeconds); }},
                 {{Qt::Key_F7}, [this] { playEdge(form_.EndPos - kEdgeSeconds, form_.EndPos); }},
             }) {
            for (const QKeySequence& key : keys) {
                add(key, command, false);
            }
        }
        for (const auto& [key, step] : std::initializer_list<std::pair<QKeySequence, double>>{
                 {Qt::Key_Left, -kStepSeconds},
                 {Qt::Key_Right, kStepSeconds},
                 {Qt::SHIFT | Qt::Key_Left, -kLongStepSeconds},
                 {Qt::SHIFT | Qt::Key_Right, kLongStepSeconds},
                 {Qt::CTRL | Qt::Key_Left, -kShortStepSeconds},
                 {Qt::CTRL | Qt::Key_Right, kShortStepSeconds},
             }) {
            add(
                key, [this, step = step] { seekTo(position() + step); }, true);
        }
        auto* buttonKeys = new ButtonKeys(this, player);
        for (mxbutton::mxbutton* button : form.controls().mxb) {
            if (button != nullptr) {
                button->installEventFilter(buttonKeys);
            }
        }
        for (const auto& [index, tip] : kButtonTips) {
            if (auto* button = form.controls().mxb[static_cast<std::size_t>(index)]; button != nullptr) {
                button->setToolTip(QString::fromUtf8(tip));
            }
        }
    }

private:
    void add(const QKeySequence& key, std::function<void()> command, bool repeat) {
        auto* shortcut = new QShortcut(key, &form_);
        shortcut->setContext(Qt::WindowShortcut);
        shortcut->setAutoRepeat(repeat);
        connect(shortcut, &QShortcut::activated, this, [command = std::move(command)] {
            if (!DialogOpen()) {
                command();
            }
        });
    }

    MediaPlayer* player() const { return form_.controls().wmp; }
    double duration() const { return player() != nullptr ? player()->currentMedia().duration() : 0.0; }
    double position() const { return player() != nullptr ? player()->controls().currentPosition() : 0.0; }

    void seekTo(double seconds) {
        if (player() != nullptr && duration() > 0.0) {
            player()->controls().setCurrentPosition(std::clamp(seconds, 0.0, duration()));
        }
    }

    void playEdge(double from, double to) {
        if (edge_ != nullptr) {
            edge_->play(from, to);
        }
    }

    Form1& form_;
    EdgePreview* edge_ = nullptr;
};

} // namespace

void InstallMainWindowKeys(Form1& form) {
    new MainWindowKeys(form);
}

} // namespace trimvox
