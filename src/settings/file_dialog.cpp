#include "settings/file_dialog.h"

#include "settings/file_dialog_record.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace trimvox::modpath {

namespace {

constexpr qint64 kQuickFailureMs = 20;

// The Qt file dialog with the record's flags: the open dialog offers to create a file that does not
// exist, the save dialog asks before it replaces one (Qt's own confirmation).
class RecordFileDialog : public QFileDialog {
public:
    explicit RecordFileDialog(const DialogRecord& record) : record_(record) {
        setOption(QFileDialog::DontUseNativeDialog, true);
        setWindowModality(Qt::NonModal);
        setWindowTitle(record.title);
        setAcceptMode(record.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::AnyFile);
        setOption(QFileDialog::DontConfirmOverwrite, (record.flags & DialogRecord::kOverwritePrompt) == 0);
        if (!record.filters.isEmpty()) {
            setNameFilters(NameFilters(record.filters));
        }
        if (!record.defaultExtension.isEmpty()) {
            setDefaultSuffix(record.defaultExtension);
        }
        if (!record.initialFolder.isEmpty()) {
            setDirectory(record.initialFolder);
        }
    }

protected:
    void accept() override {
        const QStringList files = selectedFiles();
        if (!record_.save && (record_.flags & DialogRecord::kCreatePrompt) != 0 && !files.isEmpty()) {
            const QFileInfo info(files.first());
            if (!info.exists() && !files.first().endsWith(QLatin1Char('/'))) {
                const auto answer = QMessageBox::question(
                    this, windowTitle(), CreatePromptText(QDir::toNativeSeparators(files.first())),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
                if (answer != QMessageBox::Yes) {
                    return;
                }
            }
        }
        QFileDialog::accept();
    }

private:
    DialogRecord record_;
};

// Shows the dialog without an owner and waits for it; returns the dialog's result.
int RunWithoutOwner(RecordFileDialog& dialog) {
    QEventLoop loop;
    QObject::connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.show();
    dialog.raise();
    dialog.activateWindow();
    if (dialog.isVisible()) {
        loop.exec();
    }
    return dialog.result();
}

} // namespace

QString CreatePromptText(const QString& path) {
    return path + QStringLiteral("\n文件不存在。\n要创建该文件吗？");
}

QString FileDialog(std::int16_t saveFlag, const QString& title, const QString& filter,
                   const QString& initialName, const QString& defaultExtension,
                   const QString& initialFolder) {
    const auto record =
        BuildDialogRecord(saveFlag != 0, title, filter, initialName, defaultExtension, initialFolder);
    if (!record) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Trimvox - FileDialog Function"),
                        QStringLiteral("Filename Length Overflow"), QMessageBox::Ok);
        box.exec();
        return {};
    }

    QString chosen;
    // Shows one dialog and returns how long it was open, in milliseconds.
    const auto show = [&record, &chosen](const QString& name) {
        RecordFileDialog dialog(*record);
        dialog.selectFile(name);
        QElapsedTimer clock;
        clock.start();
        const int result = RunWithoutOwner(dialog);
        const qint64 open = clock.elapsed();
        const QStringList files = dialog.selectedFiles();
        chosen = (result == QDialog::Accepted && !files.isEmpty()) ? files.first() : QString();
        return open;
    };
    if (show(record->file) < kQuickFailureMs) {
        // A dialog that closed at once is shown once more, with an empty name; its result counts.
        show(QString());
    }
    return chosen;
}

} // namespace trimvox::modpath
