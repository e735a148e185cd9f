#pragma once

#include <QDialog>
#include <functional>

#include "checks/CheckHost.h"

class QComboBox;
class QPlainTextEdit;
class QSpinBox;

namespace quillora {

// "二维码打印" / "PDF417打印": the text to encode (editable), its encoding and, for a QR
// code, the module size (3 to 8) and error level. Not modal; 打印 hands the request on.
class SymbolDialog : public QDialog {
    Q_OBJECT

public:
    using Print = std::function<void(const SymbolRequest&)>;
    SymbolDialog(SymbolKind kind, Print print, QWidget* parent);

    SymbolRequest Request() const;
    QPlainTextEdit* TextBox() const { return text_; }
    QComboBox* EncodingBox() const { return encoding_; }
    QSpinBox* ModuleSizeBox() const { return size_; }
    QComboBox* LevelBox() const { return level_; }

private:
    const SymbolKind kind_;
    QPlainTextEdit* text_ = nullptr;
    QComboBox* encoding_ = nullptr;
    QSpinBox* size_ = nullptr;
    QComboBox* level_ = nullptr;
};

}  // namespace quillora
