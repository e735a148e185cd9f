#include "commands/StatusDecoding.h"

#include <cstdio>

#include "texts/Texts.h"

namespace quillora {
namespace {

using texts::translate;

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

// The printer byte's drawer and online bits and the error byte sit at the same places in a
// DLE EOT reply and in an automatic status block.
void TakePrinterByte(PrinterState& state, std::uint8_t printer) {
    state.drawerPinHigh = (printer & 0x04) != 0;
    state.online = (printer & 0x08) == 0;
}

void TakeErrorByte(PrinterState& state, std::uint8_t error) {
    state.cutterError = (error & 0x08) != 0;
    state.unrecoverableError = (error & 0x20) != 0;
    state.autoRecoverableError = (error & 0x40) != 0;
}

// Lower-case hex without leading zeros; a zero byte still shows its digit.
std::string Hex(std::uint8_t value) {
    char text[3];
    std::snprintf(text, sizeof text, "%x", value);
    return text;
}

}  // namespace

std::string NearEndText(std::uint8_t paperSensor) {
    return NearEnd(paperSensor) ? translate("StatusDecoding", "纸将尽")
                                : translate("StatusDecoding", "纸ok");
}

std::string PaperTakenText(std::uint8_t reply) {
    if (reply == kPaperTakenNoPaper) return translate("StatusDecoding", "无纸!");
    if (reply == kPaperTakenPaper) return translate("StatusDecoding", "有纸!");
    return translate("StatusDecoding", "返回数据不正确:0x") + Hex(reply);
}

std::string SerialStatusText(std::uint8_t offline, std::uint8_t paperSensor) {
    const std::string cover = CoverOpen(offline) ? translate("StatusDecoding", "盖打开")
                                                 : translate("StatusDecoding", "盖关好");
    const std::string paper = PaperOut(offline) ? translate("StatusDecoding", "缺纸")
                                                : translate("StatusDecoding", "有纸");
    const std::string nearEnd =
        NearEnd(paperSensor) ? translate("StatusDecoding", "纸将尽") : std::string();
    return texts::Format(translate("StatusDecoding", "返回值:0x%1,0x%2,%3,%4,%5"),
                         {Hex(offline), Hex(paperSensor), cover, paper, nearEnd});
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

bool IsRealTimeStatusReply(std::uint8_t byte) {
    return (byte & 0x93) == 0x12;
}

bool StartsAutomaticStatus(std::uint8_t byte) {
    return (byte & 0x93) == 0x10;
}

std::optional<PrinterState> DecodeRealTimeStatus(const std::array<std::uint8_t, 4>& replies) {
    for (const std::uint8_t reply : replies) {
        if (!IsRealTimeStatusReply(reply)) return std::nullopt;
    }
    const auto [printer, offline, error, paper] = replies;
    PrinterState state;
    TakePrinterByte(state, printer);
    TakeErrorByte(state, error);
    state.coverOpen = CoverOpen(offline);
    state.feedButton = (offline & 0x08) != 0;
    // Paper out shows in DLE EOT 4 bits 5-6 and, as a cause of going offline, DLE EOT 2 bit 5.
    if ((paper & 0x60) != 0 || PaperOut(offline)) {
        state.paper = PaperLevel::Out;
    } else if (NearEnd(paper)) {
        state.paper = PaperLevel::NearEnd;
    }
    return state;
}

std::optional<PrinterState> DecodeAutomaticStatus(const std::array<std::uint8_t, 4>& block) {
    const auto [printer, error, paper, reserved] = block;
    if (!StartsAutomaticStatus(printer) || (error & 0x90) != 0 || (paper & 0x90) != 0 ||
        (reserved & 0x90) != 0) {
        return std::nullopt;
    }
    PrinterState state;
    TakePrinterByte(state, printer);
    TakeErrorByte(state, error);
    state.coverOpen = (printer & 0x20) != 0;
    state.feedButton = (printer & 0x40) != 0;
    state.paper = TransmittedPaperLevel(paper);
    return state;
}

PaperLevel TransmittedPaperLevel(std::uint8_t reply) {
    if ((reply & 0x0C) != 0) return PaperLevel::Out;
    if ((reply & 0x03) != 0) return PaperLevel::NearEnd;
    return PaperLevel::Present;
}

bool ReportsFault(const PrinterState& state) {
    return !state.online || state.paper != PaperLevel::Present || state.coverOpen ||
           state.cutterError || state.unrecoverableError || state.autoRecoverableError;
}

StatusFields FieldsOf(const PrinterState& state) {
    StatusFields fields;
    fields.coverOpen = state.coverOpen;
    fields.paperOut = state.paper == PaperLevel::Out;
    fields.paperNearEnd = state.paper == PaperLevel::NearEnd;
    return fields;
}

std::optional<std::string> PrinterIdText(std::string_view reply) {
    if (reply.size() < 2 || reply.front() != '_' || reply.back() != '\0') return std::nullopt;
    const std::string_view text = reply.substr(1, reply.size() - 2);
    if (text.find('\0') != std::string_view::npos) return std::nullopt;
    return std::string(text);
}

std::string SerialOnlyText() {
    return translate("StatusDecoding", "目前仅支持串口打印机!");
}
std::string ReadFailedText() {
    return translate("StatusDecoding", "读取数据失败!");
}
std::string ReadReplyFailedText() {
    return translate("StatusDecoding", "读取返回数据失败!");
}

}  // namespace quillora
