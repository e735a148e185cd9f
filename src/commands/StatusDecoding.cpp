#include "commands/StatusDecoding.h"

#include <QCoreApplication>

namespace quillora {
namespace {

bool NearEnd(std::uint8_t paperSensor) {
    return (paperSensor & 0x0C) != 0;
}

bool CoverOpen(std::uint8_t offline) {
    return (offline & 0x04) != 0;
}

bool PaperOut(std::uint8_t offline) {
    return (offline & 0x20) != 0;
}

constexpr std::uint8_t kPaperTakenNoPaper = 0x32;
constexpr std::uint8_t kPaperTakenPaper = 0x12;

// Lower-case hex without leading zeros; a zero byte still shows its digit.
QString Hex(std::uint8_t value) {
    return QString::number(value, 16);
}

}  // namespace

QString NearEndText(std::uint8_t paperSensor) {
    return NearEnd(paperSensor) ? QCoreApplication::translate("StatusDecoding", "纸将尽")
                                : QCoreApplication::translate("StatusDecoding", "纸ok");
}

QString PaperTakenText(std::uint8_t reply) {
    if (reply == kPaperTakenNoPaper) return QCoreApplication::translate("StatusDecoding", "无纸!");
    if (reply == kPaperTakenPaper) return QCoreApplication::translate("StatusDecoding", "有纸!");
    return QCoreApplication::translate("StatusDecoding", "返回数据不正确:0x") + Hex(reply);
}

QString SerialStatusText(std::uint8_t offline, std::uint8_t paperSensor) {
    const QString cover = CoverOpen(offline)
                              ? QCoreApplication::translate("StatusDecoding", "盖打开")
                              : QCoreApplication::translate("StatusDecoding", "盖关好");
    const QString paper = PaperOut(offline) ? QCoreApplication::translate("StatusDecoding", "缺纸")
                                            : QCoreApplication::translate("StatusDecoding", "有纸");
    const QString nearEnd =
        NearEnd(paperSensor) ? QCoreApplication::translate("StatusDecoding", "纸将尽") : QString();
    return QCoreApplication::translate("StatusDecoding", "返回值:0x%1,0x%2,%3,%4,%5")
        .arg(Hex(offline), Hex(paperSensor), cover, paper, nearEnd);
}

StatusFields NearEndFields(std::uint8_t paperSensor) {
    StatusFields fields;
    fields.paperNearEnd = NearEnd(paperSensor);
    return fields;
}

StatusFields PaperTakenFields(std::uint8_t reply) {
    StatusFields fields;
    if (reply == kPaperTakenNoPaper || reply == kPaperTakenPaper) {
        fields.paperPresent = reply == kPaperTakenPaper;
    } else {
        fields.unrecognised = true;
    }
    return fields;
}

StatusFields SerialStatusFields(std::uint8_t offline, std::uint8_t paperSensor) {
    StatusFields fields;
    fields.coverOpen = CoverOpen(offline);
    fields.paperOut = PaperOut(offline);
    fields.paperNearEnd = NearEnd(paperSensor);
    return fields;
}

bool ReportsFault(const StatusFields& fields) {
    return fields.unrecognised || !fields.paperPresent.value_or(true) ||
           fields.paperNearEnd.value_or(false) || fields.coverOpen.value_or(false) ||
           fields.paperOut.value_or(false);
}

QString SerialOnlyText() {
    return QCoreApplication::translate("StatusDecoding", "目前仅支持串口打印机!");
}
QString ReadFailedText() {
    return QCoreApplication::translate("StatusDecoding", "读取数据失败!");
}
QString ReadReplyFailedText() {
    return QCoreApplication::translate("StatusDecoding", "读取返回数据失败!");
}

}  // namespace quillora
