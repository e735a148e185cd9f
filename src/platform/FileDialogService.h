#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace quillora {

// The modal open-file dialog, behind a seam that tests answer. The filter is written the
// way the program states it: "Description|pattern||" ("BMP Files (*.bmp)|*.bmp||").
// Only an existing file can be chosen; nothing is returned when the user cancels.
class FileDialogService {
public:
    virtual ~FileDialogService() = default;
    virtual std::optional<QString> ChooseExistingFile(QWidget* owner, const QString& filter) = 0;
};

class QtFileDialogService final : public FileDialogService {
public:
    std::optional<QString> ChooseExistingFile(QWidget* owner, const QString& filter) override;
};

// "A|a||B|b||" -> "A (a);;B (b)"; a description that already ends with "(pattern)" is kept.
QString ToQtFileFilter(const QString& filter);

}  // namespace quillora
