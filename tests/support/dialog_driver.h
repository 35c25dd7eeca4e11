// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>
#include <vector>

class QFileDialog;
class QMessageBox;

namespace trimvox::test {

// Drives the program's file dialogs and message boxes the way a person would, from the event loop:
// every few milliseconds it looks for a visible file dialog or message box and hands it to the next
// scripted step. A step returns when it has done its part; the driver records what it saw.
class DialogDriver {
public:
    using FileDialogStep = std::function<void(QFileDialog&)>;
    using MessageStep = std::function<void(QMessageBox&)>;

    DialogDriver();
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

    // Steps run in order, each on the next dialog of its kind that shows.
    void onFileDialog(FileDialogStep step);
    void onMessage(MessageStep step);

    // Ready-made steps.
    static FileDialogStep TypePathAndEnter(const QString& path); // fills the name field, presses Enter
    static FileDialogStep PressEscape();
    static MessageStep Answer(int standardButton); // QMessageBox::Yes, No, Ok, ...

    struct Seen {
        QString kind; // "file" or "message"
        QString title;
        QString text; // message text, or the file dialog's name field when it showed
        int icon = 0;
    };
    const std::vector<Seen>& seen() const;
    // Message boxes seen (whatever handled them).
    std::vector<Seen> messages() const;

private:
    struct Impl;
    Impl* impl_;
};

} // namespace trimvox::test
