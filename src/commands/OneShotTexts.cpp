#include "commands/OneShotTexts.h"

#include <QCoreApplication>

namespace quillora {

QString PartialSendText(int sent, int length) {
    return QCoreApplication::translate("SendReport", "数据没有完全发送成功!%1/%2")
        .arg(sent)
        .arg(length);
}

QString FileTooLargeText() {
    return QCoreApplication::translate("SendReport", "文件太大,无法一次发送!");
}

}  // namespace quillora
