#include "commands/OneShotTexts.h"

#include "texts/Texts.h"

namespace quillora {

std::string PartialSendText(int sent, int length) {
    return texts::Format(texts::translate("SendReport", "数据没有完全发送成功!%1/%2"),
                         {std::to_string(sent), std::to_string(length)});
}

std::string FileTooLargeText() {
    return texts::translate("SendReport", "文件太大,无法一次发送!");
}

}  // namespace quillora
