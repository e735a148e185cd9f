#include "commands/OneShotTexts.h"

namespace quillora {

QString PartialSendText(int sent, int length) {
    return QStringLiteral("数据没有完全发送成功!%1/%2").arg(sent).arg(length);
}

QString FileTooLargeText() {
    return QStringLiteral("文件太大,无法一次发送!");
}

}  // namespace quillora
