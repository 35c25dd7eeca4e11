// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/dialogs/file_dialog.h"

#include "app/dialogs/chosen_path.h"
#include "app/dialogs/file_dialog_clock.h"
#include "app/dialogs/file_dialog_record.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace trimvox::modpath {

namespace {

constexpr qint64 kQuickFailureMs = 20;

// The Qt file dialog with the record's flags: the open dialog offers to create a file that does not
// exist, the save dialog asks before it replaces one (about the path that will be written).
class RecordFileDialog : public QFileDialog {
public:
    RecordFileDialog(const DialogRecord& record, QWidget* owner) : QFileDialog(owner), record_(record) {
        setOption(QFileDialog::DontUseNativeDialog, true);
        setWindowModality(owner != nullptr ? Qt::WindowModal : Qt::NonModal);
        setWindowTitle(record.title);
        setAcceptMode(record.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        setFileMode(QFileDialog::AnyFile);
        // The replace question is ours: Qt's own would ask about the typed name only.
        setOption(QFileDialog::DontConfirmOverwrite, true);
        // The file-type list shows each filter's display text as it stands.
        setOption(QFileDialog::HideNameFilterDetails, true);
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
        if (!files.isEmpty() && !(record_.save ? MayReplace(files.first()) : MayCreate(files.first()))) {
            return; // the dialog stays open with the typed name
        }
        QFileDialog::accept();
    }

private:
    bool MayCreate(const QString& chosen) {
        if ((record_.flags & DialogRecord::kCreatePrompt) == 0 || PathTextExists(ResolveChosenPath(chosen)) ||
            chosen.endsWith(QLatin1Char('/'))) {
            return true;
        }
        return QMessageBox::question(this, windowTitle(), CreatePromptText(QDir::toNativeSeparators(chosen)),
                                     QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    }

    bool MayReplace(const QString& chosen) {
        // A folder is opened by the dialog itself.
        if ((record_.flags & DialogRecord::kOverwritePrompt) == 0 || QFileInfo(chosen).isDir()) {
            return true;
        }
        const QString target = ResolveChosenPath(record_.target ? record_.target(chosen) : chosen);
        if (!PathTextExists(target)) {
            return true;
        }
        return QMessageBox::warning(this, windowTitle(), OverwritePromptText(ShownPath(target)),
                                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
    }

    DialogRecord record_;
};

// Shows the dialog (modal to its owner, if it has one) and waits for it; returns the dialog's result.
int RunAndWait(RecordFileDialog& dialog) {
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

QString OverwritePromptText(const QString& path) {
    return path + QStringLiteral(" 已存在。\n要替换它吗？");
}

QString FileDialog(std::int16_t saveFlag, const QString& title, const QString& filter,
                   const QString& initialName, const QString& defaultExtension, const QString& initialFolder,
                   const std::function<QString(const QString&)>& target, QWidget* owner) {
    auto record =
        BuildDialogRecord(saveFlag != 0, title, filter, initialName, defaultExtension, initialFolder);
    if (!record) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Trimvox - FileDialog Function"),
                        QStringLiteral("Filename Length Overflow"), QMessageBox::Ok);
        box.exec();
        return {};
    }
    record->target = target;

    QString chosen;
    // Shows one dialog and returns how long it was open, in milliseconds.
    const auto show = [&record, &chosen, owner](const QString& name) {
        RecordFileDialog dialog(*record, owner);
        dialog.selectFile(name);
        const qint64 shown = DialogTickCount();
        const int result = RunAndWait(dialog);
        const qint64 open = DialogTickCount() - shown;
        const QStringList files = dialog.selectedFiles();
        chosen =
            (result == QDialog::Accepted && !files.isEmpty()) ? ResolveChosenPath(files.first()) : QString();
        return open;
    };
    if (show(record->file) < kQuickFailureMs) {
        // A dialog that closed at once is shown once more, with an empty name; its result counts.
        show(QString());
    }
    return chosen;
}

} // namespace trimvox::modpath
