#pragma once

#include <QString>
#include <vector>

namespace trimvox::test {

// What a modal message box showed before the closer dismissed it.
struct SeenMessage {
    QString title;
    QString text;
    int icon = 0; // QMessageBox::Icon
};

// Watches for modal message boxes (every few milliseconds, from the event loop) and closes each one
// with its default button, recording what it showed. Stops on destruction.
class ModalCloser {
public:
    ModalCloser();
    ~ModalCloser();
    ModalCloser(const ModalCloser&) = delete;
    ModalCloser& operator=(const ModalCloser&) = delete;

    const std::vector<SeenMessage>& seen() const;

private:
    struct Impl;
    Impl* impl_;
};

} // namespace trimvox::test
