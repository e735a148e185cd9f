#include "gui/FileDialogService.h"

#include <QFileDialog>
#include <QStringList>

namespace quillora {

QString ToQtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        const QString& pattern = parts[i + 1];
        if (description.isEmpty()) break;
        const QString patterns = QString(pattern).replace(u';', u' ');
        const QString wrapped = QStringLiteral("(%1)").arg(patterns);
        entries << (description.endsWith(wrapped) ? description
                                                  : description + QLatin1Char(' ') + wrapped);
    }
    return entries.join(QStringLiteral(";;"));
}

namespace {

std::optional<QString> RunFileDialog(QFileDialog& dialog, const QString& filter) {
    dialog.setNameFilter(ToQtFileFilter(filter));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().first();
}

}  // namespace

std::optional<QString> QtFileDialogService::ChooseExistingFile(QWidget* owner,
                                                               const QString& filter) {
    QFileDialog dialog(owner);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    return RunFileDialog(dialog, filter);
}

std::optional<QString> QtFileDialogService::ChooseSaveFile(QWidget* owner, const QString& filter,
                                                           const QString& suggestedName) {
    QFileDialog dialog(owner);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.selectFile(suggestedName);
    return RunFileDialog(dialog, filter);
}

}  // namespace quillora
