#include "gui/ChosenFileSave.h"

#include <QFile>
#include <optional>

#include "gui/FileDialogService.h"
#include "gui/MessageService.h"

namespace quillora {

void SaveToChosenFile(FileDialogService& files, MessageService& messages, QWidget* parent,
                      const QString& filter, const QString& suggestedName, const FileWriter& write,
                      const SaveFailureText& failureText) {
    const std::optional<QString> path = files.ChooseSaveFile(parent, filter, suggestedName);
    if (!path) return;
    QFile file(*path);
    const bool written =
        file.open(QIODevice::WriteOnly | QIODevice::Truncate) && write(file) && file.flush();
    if (!written) {
        messages.Show(parent, failureText(*path, file.errorString()), MessageIcon::Exclamation);
    }
}

bool WriteWhole(QFile& file, QByteArrayView bytes) {
    return file.write(bytes.data(), bytes.size()) == bytes.size();
}

}  // namespace quillora
