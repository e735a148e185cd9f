#include "commands/CommandBytes.h"

#include <QString>

#include "platform/CodePage936.h"

namespace quillora {
namespace {

using namespace std::string_literals;

// Our literals are UTF-8; the printer reads GBK.
CommandBlock Gbk(const char* utf8) {
    return ToGbk(QString::fromUtf8(utf8));
}

const CommandBlock kBarcodeTerminator = "\x00"s;

CommandBlock SizeCommand(std::uint8_t n) {
    return "\x1D\x21"s + char(n);
}

CommandBlock JustifyCommand(char n) {
    return "\x1B\x61"s + n;
}

}  // namespace

CommandBlock SinglePrintBlock(const std::string& textBoxBytes) {
    return textBoxBytes + "\r\n";
}

CommandBlock HalfCutBlock() {
    return "\x1B\x6D"s;
}
CommandBlock FullCutBlock() {
    return "\x1D\x56\x00"s;
}
CommandBlock FeedBlock() {
    return "\x1B\x64\x0A"s;
}
// The second byte is 39, this printer's own drawer pulse, not ESC p.
CommandBlock CashDrawerBlock() {
    return "\x1B\x39\x00\x05\x0A"s;
}
CommandBlock BlackMarkFeedBlock() {
    return "\x1D\x0C"s;
}

std::vector<CommandBlock> BarcodePageBlocks() {
    // CODE39 and the JAN codes end their data with a zero byte; CODE128 (m = 49) is
    // counted instead and takes its digits straight after the count.
    return {
        Gbk("===== 测试条码 =====\r\n\r\n") + "CODE39\r\n" + "\x1D\x6B\x04"s + "123456" +
            kBarcodeTerminator,
        "\r\nCODE128:\r\n"s + "\x1D\x6B\x49\x0D"s + "1234567890123",
        "\r\nJAN13:\r\n"s + "\x1D\x6B\x02"s + "1234567890123" + kBarcodeTerminator,
        "\r\nJAN8:\r\n"s + "\x1D\x6B\x03"s + "12345678" + kBarcodeTerminator,
        Gbk("\r\n        条码打印测试完成!\r\n\r\n"),
    };
}

std::vector<CommandBlock> EnlargementBlocks() {
    const CommandBlock sample = Gbk("倍高倍宽ABC123\r\n");
    std::vector<CommandBlock> blocks;
    // High nibble: width factor - 1; low nibble: height factor - 1.
    for (std::uint8_t factor = 1; factor <= 7; ++factor) {
        blocks.push_back(SizeCommand(std::uint8_t(factor << 4 | factor)) + sample);
    }
    blocks.push_back(SizeCommand(0));
    blocks.push_back(sample);
    return blocks;
}

std::vector<CommandBlock> AlignmentBlocks() {
    const CommandBlock lines = "ABC\r\nABCD\r\nABCDE\r\n";
    // Left last, so the printer is left as it normally is.
    return {JustifyCommand('1') + lines, JustifyCommand('2') + lines, JustifyCommand('0') + lines};
}

CommandBlock FunctionSwitchBlock(std::uint8_t n) {
    return "\x1D\x46"s + char(n);
}

CommandBlock NearEndQueryBlock() {
    return "\x10\x04\x04"s;
}
CommandBlock PaperTakenQueryBlock() {
    return FunctionSwitchBlock(0x01);
}
CommandBlock SerialStatusQueryBlock() {
    return "\x10\x04\x02"s + NearEndQueryBlock();
}

}  // namespace quillora
