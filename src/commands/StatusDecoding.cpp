#include "commands/StatusDecoding.h"

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
    return NearEnd(paperSensor) ? QStringLiteral("纸将尽") : QStringLiteral("纸ok");
}

QString PaperTakenText(std::uint8_t reply) {
    if (reply == kPaperTakenNoPaper) return QStringLiteral("无纸!");
    if (reply == kPaperTakenPaper) return QStringLiteral("有纸!");
    return QStringLiteral("返回数据不正确:0x") + Hex(reply);
}

QString SerialStatusText(std::uint8_t offline, std::uint8_t paperSensor) {
    const QString cover = CoverOpen(offline) ? QStringLiteral("盖打开") : QStringLiteral("盖关好");
    const QString paper = PaperOut(offline) ? QStringLiteral("缺纸") : QStringLiteral("有纸");
    const QString nearEnd = NearEnd(paperSensor) ? QStringLiteral("纸将尽") : QString();
    return QStringLiteral("返回值:0x%1,0x%2,%3,%4,%5")
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
    return QStringLiteral("目前仅支持串口打印机!");
}
QString ReadFailedText() {
    return QStringLiteral("读取数据失败!");
}
QString ReadReplyFailedText() {
    return QStringLiteral("读取返回数据失败!");
}

}  // namespace quillora
