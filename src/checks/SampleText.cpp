#include "checks/SampleText.h"

#include "platform/CodePage936.h"
#include "platform/InputFile.h"

namespace quillora {

std::string BuiltInSampleText() {
    return std::string(
        "    本程序用于检测票据打印机的各项功能。测试之前，请先确认打印机已经接通电源，纸卷已经正确"
        "装入，打印机与电脑之间的连接线也已经插好。如果使用串口连接，请在端口选择中选定相应的COM1"
        "等串口，并在属性中设置与打印机一致的波特率和流控方式；如果使用网络打印机，请选择IP并填写打"
        "印机的地址。\n"
        "    "
        "每一项测试都会向打印机发送一组ESC/POS命令，打印结果应当与按钮上的说明相符。连续疲劳测试"
        "会按照设定的间隔时间和份数不断打印本框中的文字，用来检验打印头、切刀和走纸机构在长时间工作"
        "下"
        "是否稳定可靠。测试过程中如果发现卡纸、缺纸或者打印模糊，请立即停止测试并检查打印机。建议每"
        "天"
        "开机先打印1张80mm的测试页,确认良好后再营业。");
}

TextFile ReadTextFile(const std::string& path) {
    const StreamBytes read = ReadInput(path, kMaxTextFileBytes);
    if (read.error == std::errc::no_such_file_or_directory) return {std::nullopt, "no such file"};
    if (read.error) return {std::nullopt, "cannot be read: " + read.error.message()};
    if (read.tooLarge) {
        return {std::nullopt, "longer than " + std::to_string(kMaxTextFileBytes) + " bytes"};
    }
    const std::string_view bytes(read.bytes.data(), read.bytes.size());
    return {ToWidgetLineBreaks(FromGbk(bytes.substr(0, bytes.find('\0')))), {}};
}

std::optional<std::string> LoadStartupText(const std::string& path) {
    return ReadTextFile(path).text;
}

std::string StartupText(const std::string& printTxtPath) {
    std::optional<std::string> loaded = LoadStartupText(printTxtPath);
    return loaded ? std::move(*loaded) : BuiltInSampleText();
}

std::string PrinterTextBytes(const std::string& text) {
    return ToGbk(ToCrLfLineBreaks(text));
}

std::string ToWidgetLineBreaks(std::string_view text) {
    std::string lines;
    lines.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text.compare(at, 2, "\r\n") == 0) ++at;
        lines += text[at];
    }
    return lines;
}

std::string ToCrLfLineBreaks(std::string_view text) {
    std::string lines;
    lines.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') lines += '\r';
        lines += c;
    }
    return lines;
}

}  // namespace quillora
