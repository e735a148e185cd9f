#include "gui/MessageService.h"

#include <QApplication>
#include <QMessageBox>

namespace quillora {

void QtMessageService::Show(QWidget* owner, const QString& text, MessageIcon icon) {
    QMessageBox box(owner);
    box.setWindowTitle(QApplication::applicationDisplayName());
    box.setText(text);
    switch (icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Information:
            box.setIcon(QMessageBox::Information);
            break;
        case MessageIcon::Exclamation:
            box.setIcon(QMessageBox::Warning);
            break;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

}  // namespace quillora
