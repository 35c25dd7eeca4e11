#include "support/modal_closer.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <vector>

namespace trimvox::test {

struct ModalCloser::Impl {
    QTimer timer;
    std::vector<SeenMessage> seen;
};

ModalCloser::ModalCloser() : impl_(new Impl) {
    impl_->timer.setInterval(10);
    QObject::connect(&impl_->timer, &QTimer::timeout, [this] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box != nullptr && box->isVisible()) {
                impl_->seen.push_back({box->windowTitle(), box->text(), static_cast<int>(box->icon())});
                box->done(QMessageBox::Ok);
            }
        }
    });
    impl_->timer.start();
}

ModalCloser::~ModalCloser() {
    delete impl_;
}

const std::vector<SeenMessage>& ModalCloser::seen() const {
    return impl_->seen;
}

} // namespace trimvox::test
