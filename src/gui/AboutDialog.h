#pragma once

#include <QDialog>

namespace quillora {

// Dialog 100: icon, name and version, one OK button.
class AboutDialog : public QDialog {
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace quillora
