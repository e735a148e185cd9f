#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace quillora {

// The modal open- and save-file dialogs, behind a seam that tests answer. The filter is
// written the way the program states it: "Description|pattern||" ("BMP Files (*.bmp)|*.bmp||").
// Nothing is returned when the user cancels.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    // Only an existing file can be chosen.
    virtual std::optional<QString> ChooseExistingFile(QWidget* owner, const QString& filter) = 0;
    // A file to write, offered as `suggestedName`; the dialog asks before replacing one.
    virtual std::optional<QString> ChooseSaveFile(QWidget* owner, const QString& filter,
                                                  const QString& suggestedName) = 0;
};

class QtFileDialogService final : public FileDialogService {
public:
    std::optional<QString> ChooseExistingFile(QWidget* owner, const QString& filter) override;
    std::optional<QString> ChooseSaveFile(QWidget* owner, const QString& filter,
                                          const QString& suggestedName) override;
};

// "A|a||B|b||" -> "A (a);;B (b)"; a description that already ends with "(pattern)" is kept.
QString ToQtFileFilter(const QString& filter);

}  // namespace quillora
