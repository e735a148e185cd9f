#include "commands/CommandBytes.h"

#include "escpos/Commands.h"
#include "platform/CodePage936.h"

namespace quillora {
namespace {

using namespace std::string_literals;

// Our literals are UTF-8; the printer reads GBK.
CommandBlock Gbk(const char* utf8) {
    return ToGbk(utf8);
}

}  // namespace

CommandBlock SinglePrintBlock(const std::string& textBoxBytes) {
    return textBoxBytes + "\r\n";
}

CommandBlock HalfCutBlock() {
    return escpos::HalfCut();
}
CommandBlock FullCutBlock() {
    return escpos::FullCut();
}
CommandBlock FeedBlock() {
    return escpos::FeedLines(10);
}
CommandBlock CashDrawerBlock() {
    return escpos::DrawerPulse(0, 5, 10);
}
CommandBlock BlackMarkFeedBlock() {
    return escpos::FeedToBlackMark();
}

std::vector<CommandBlock> BarcodePageBlocks() {
    // CODE39 and the JAN codes end their data with a zero byte; CODE128 is counted instead
    // and takes its digits straight after the count.
    using escpos::Barcode;
    return {
        Gbk("===== 测试条码 =====\r\n\r\n") + "CODE39\r\n" +
            escpos::BarcodeZeroEnded(Barcode::Code39, "123456"),
        "\r\nCODE128:\r\n"s + escpos::BarcodeCounted(Barcode::Code128, "1234567890123"),
        "\r\nJAN13:\r\n"s + escpos::BarcodeZeroEnded(Barcode::Jan13, "1234567890123"),
        "\r\nJAN8:\r\n"s + escpos::BarcodeZeroEnded(Barcode::Jan8, "12345678"),
        Gbk("\r\n        条码打印测试完成!\r\n\r\n"),
    };
}

std::vector<CommandBlock> EnlargementBlocks() {
    const CommandBlock sample = Gbk("倍高倍宽ABC123\r\n");
    std::vector<CommandBlock> blocks;
    for (int times = 2; times <= 8; ++times) {
        blocks.push_back(escpos::SelectCharacterSize(escpos::CharacterSize(times, times)) + sample);
    }
    blocks.push_back(escpos::SelectCharacterSize(escpos::kNormalSize));
    blocks.push_back(sample);
    return blocks;
}

std::vector<CommandBlock> AlignmentBlocks() {
    const CommandBlock lines = "ABC\r\nABCD\r\nABCDE\r\n";
    using escpos::Justification;
    // Left last, so the printer is left as it normally is.
    return {escpos::Justify(Justification::Centre) + lines,
            escpos::Justify(Justification::Right) + lines,
            escpos::Justify(Justification::Left) + lines};
}

CommandBlock FunctionSwitchBlock(std::uint8_t n) {
    return escpos::SwitchFunction(n);
}

CommandBlock NearEndQueryBlock() {
    return escpos::RealTimeStatusQuery(escpos::kPaperSensorStatus);
}
CommandBlock PaperTakenQueryBlock() {
    return escpos::PaperTakenStatusQuery();
}
CommandBlock SerialStatusQueryBlock() {
    return escpos::RealTimeStatusQuery(escpos::kOfflineStatus) + NearEndQueryBlock();
}

}  // namespace quillora
