#pragma once

#include <QByteArrayView>
#include <QString>
#include <functional>

class QFile;
class QWidget;

namespace quillora {

class FileDialogService;
class MessageService;

// Writes the save into the open file; true only when all of it went out.
using FileWriter = std::function<bool(QFile& file)>;
// The message for a failed save, from the chosen path and the file's error text.
using SaveFailureText = std::function<QString(const QString& path, const QString& error)>;

// Asks for a file to write (nothing happens when the user cancels), writes it with `write`
// and flushes it; when opening, writing or flushing fails, shows `failureText` over `parent`.
void SaveToChosenFile(FileDialogService& files, MessageService& messages, QWidget* parent,
                      const QString& filter, const QString& suggestedName, const FileWriter& write,
                      const SaveFailureText& failureText);

// Writes `bytes`; a partial write is a failure.
bool WriteWhole(QFile& file, QByteArrayView bytes);

}  // namespace quillora
