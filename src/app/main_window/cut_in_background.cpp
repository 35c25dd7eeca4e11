// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/main_window/cut_in_background.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

#include <atomic>
#include <memory>

namespace trimvox {

CutResult CutPreviewInBackground(const PreviewCut& cut, QWidget* owner) {
    std::atomic<bool> cancel{false};
    CutResult result;
    std::unique_ptr<QThread> worker(
        QThread::create([&result, &cancel, cut] { result = CutPreview(cut, &cancel); }));
    QEventLoop waiting;
    QObject::connect(worker.get(), &QThread::finished, &waiting, &QEventLoop::quit);

    QProgressDialog progress(QStringLiteral("正在截取……"), QStringLiteral("取消"), 0, 0, owner);
    progress.setWindowTitle(QStringLiteral("截取"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(kCutProgressDelayMs);
    progress.cancel(); // no showing by its own timer: the one below shows it while the cut still runs
    progress.reset();
    const auto callOff = [&] {
        cancel = true;
        progress.setLabelText(QStringLiteral("正在取消……"));
    };
    QObject::connect(&progress, &QProgressDialog::canceled, &waiting, callOff);
    QObject::connect(&progress, &QDialog::rejected, &waiting, callOff);
    QTimer showLater;
    showLater.setSingleShot(true);
    QObject::connect(&showLater, &QTimer::timeout, &progress, [&] {
        if (!worker->isFinished()) {
            progress.show();
        }
    });

    worker->start();
    showLater.start(kCutProgressDelayMs);
    waiting.exec();
    worker->wait();
    return result;
}

} // namespace trimvox
