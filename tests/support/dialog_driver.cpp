// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/dialog_driver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>

namespace trimvox::test {

namespace {
// Long enough that a person could have acted: file dialogs that close sooner are shown again.
constexpr int kReactionMs = 30;

QString NameField(QFileDialog& dialog) {
    auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    return edit != nullptr ? edit->text() : QString();
}
} // namespace

// Each showing of a file dialog or message box is handed, a moment later, to the next step of its kind.
struct DialogDriver::Impl : QObject {
    std::deque<FileDialogStep> fileSteps;
    std::deque<MessageStep> messageSteps;
    std::vector<Seen> seen;

    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Show && object->isWidgetType() &&
            (qobject_cast<QMessageBox*>(object) != nullptr ||
             qobject_cast<QFileDialog*>(object) != nullptr)) {
            QPointer<QWidget> widget = static_cast<QWidget*>(object);
            QTimer::singleShot(kReactionMs, this, [this, widget] {
                if (widget != nullptr && widget->isVisible()) {
                    Handle(widget);
                }
            });
        }
        return false;
    }

    void Handle(QWidget* widget) {
        if (auto* box = qobject_cast<QMessageBox*>(widget)) {
            seen.push_back({"message", box->windowTitle(), box->text(), static_cast<int>(box->icon())});
            if (messageSteps.empty()) {
                box->done(box->defaultButton() != nullptr ? box->standardButton(box->defaultButton())
                                                          : QMessageBox::Ok);
                return;
            }
            auto step = std::move(messageSteps.front());
            messageSteps.pop_front();
            step(*box);
        } else if (auto* dialog = qobject_cast<QFileDialog*>(widget)) {
            seen.push_back({"file", dialog->windowTitle(), NameField(*dialog), 0});
            if (fileSteps.empty()) {
                return; // left for the test to handle
            }
            auto step = std::move(fileSteps.front());
            fileSteps.pop_front();
            step(*dialog);
        }
    }
};

DialogDriver::DialogDriver() : impl_(new Impl) {
    qApp->installEventFilter(impl_);
}

DialogDriver::~DialogDriver() {
    qApp->removeEventFilter(impl_);
    delete impl_;
}

void DialogDriver::onFileDialog(FileDialogStep step) {
    impl_->fileSteps.push_back(std::move(step));
}

void DialogDriver::onMessage(MessageStep step) {
    impl_->messageSteps.push_back(std::move(step));
}

DialogDriver::FileDialogStep DialogDriver::TypePathAndEnter(const QString& path) {
    return [path](QFileDialog& dialog) {
        auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (edit == nullptr) {
            return;
        }
        // Set the text without giving the field the focus first: a focused field opens its completer,
        // which would take the Enter.
        edit->setText(path);
        QTest::keyClick(edit, Qt::Key_Return);
    };
}

DialogDriver::FileDialogStep DialogDriver::PressEscape() {
    return [](QFileDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); };
}

DialogDriver::MessageStep DialogDriver::Answer(int standardButton) {
    return [standardButton](QMessageBox& box) {
        QAbstractButton* button = box.button(static_cast<QMessageBox::StandardButton>(standardButton));
        if (button != nullptr) {
            button->click();
        } else {
            box.done(standardButton);
        }
    };
}

const std::vector<DialogDriver::Seen>& DialogDriver::seen() const {
    return impl_->seen;
}

std::vector<DialogDriver::Seen> DialogDriver::messages() const {
    std::vector<Seen> result;
    for (const Seen& s : impl_->seen) {
        if (s.kind == "message") {
            result.push_back(s);
        }
    }
    return result;
}

} // namespace trimvox::test
