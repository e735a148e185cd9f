#include <gtest/gtest.h>

#include <QString>

#include "commands/CommandBytes.h"
#include "commands/EscPosNames.h"
#include "continuous/CopyComposition.h"
#include "imaging/NvLogo.h"
#include "platform/CodePage936.h"
#include "support/HexBytes.h"

namespace quillora {
namespace {

using Names = std::vector<std::string>;

Names Named(const std::string& bytes) {
    return NameCommands(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::vector<Names> Named(const std::vector<CommandBlock>& blocks) {
    std::vector<Names> named;
    for (const CommandBlock& block : blocks) named.push_back(Named(block));
    return named;
}

std::string Reply(const std::string& sent, const std::string& reply) {
    return DescribeReply(reinterpret_cast<const std::uint8_t*>(sent.data()), sent.size(),
                         reinterpret_cast<const std::uint8_t*>(reply.data()), reply.size());
}

TEST(EscPosNames, EveryOneShotButtonsBytes) {
    EXPECT_EQ(Named(HalfCutBlock()), Names{"ESC m 半切"});
    EXPECT_EQ(Named(FullCutBlock()), Names{"GS V 0 全切"});
    EXPECT_EQ(Named(FeedBlock()), Names{"ESC d 10 走纸10行"});
    EXPECT_EQ(Named(CashDrawerBlock()), Names{"ESC 9 0 5 10 钱箱脉冲"});
    EXPECT_EQ(Named(BlackMarkFeedBlock()), Names{"GS FF 走纸到黑标"});
    EXPECT_EQ(Named(SinglePrintBlock(ToGbk("打印测试 OK"))),
              (Names{"\"打印测试 OK\"", "CR LF"}));
    EXPECT_EQ(Named(BarcodePageBlocks()),
              (std::vector<Names>{
                  {"\"===== 测试条码 =====\"", "CR LF ×2", "\"CODE39\"", "CR LF",
                   "GS k 4 CODE39 \"123456\""},
                  {"CR LF", "\"CODE128:\"", "CR LF", "GS k 73 CODE128 \"1234567890123\""},
                  {"CR LF", "\"JAN13:\"", "CR LF", "GS k 2 JAN13 \"1234567890123\""},
                  {"CR LF", "\"JAN8:\"", "CR LF", "GS k 3 JAN8 \"12345678\""},
                  {"CR LF", "\"        条码打印测试完成!\"", "CR LF ×2"},
              }));
    const std::vector<Names> enlarged = Named(EnlargementBlocks());
    ASSERT_EQ(enlarged.size(), 9u);
    EXPECT_EQ(enlarged[0], (Names{"GS ! 0x11 宽2倍 高2倍", "\"倍高倍宽ABC123\"", "CR LF"}));
    EXPECT_EQ(enlarged[6], (Names{"GS ! 0x77 宽8倍 高8倍", "\"倍高倍宽ABC123\"", "CR LF"}));
    EXPECT_EQ(enlarged[7], Names{"GS ! 0x00 正常大小"});
    EXPECT_EQ(enlarged[8], (Names{"\"倍高倍宽ABC123\"", "CR LF"}));
    const Names lines{"\"ABC\"", "CR LF", "\"ABCD\"", "CR LF", "\"ABCDE\"", "CR LF"};
    std::vector<Names> aligned;
    for (const char* justify : {"ESC a 49 居中", "ESC a 50 右对齐", "ESC a 48 左对齐"}) {
        aligned.push_back(Names{justify});
        aligned.back().insert(aligned.back().end(), lines.begin(), lines.end());
    }
    EXPECT_EQ(Named(AlignmentBlocks()), aligned);
}

TEST(EscPosNames, SwitchesQueriesAndTheirReplies) {
    EXPECT_EQ(Named(FunctionSwitchBlock(0x21)), Names{"GS F 0x21 开启黑标"});
    EXPECT_EQ(Named(FunctionSwitchBlock(0x20)), Names{"GS F 0x20 关闭黑标"});
    EXPECT_EQ(Named(FunctionSwitchBlock(0x11)), Names{"GS F 0x11 开启纸将尽检测"});
    EXPECT_EQ(Named(FunctionSwitchBlock(0x40)), Names{"GS F 0x40 关闭取纸传感功能"});
    EXPECT_EQ(Named(FunctionSwitchBlock(0x31)), Names{"GS F 0x31 开启切刀功能"});
    EXPECT_EQ(Named(NearEndQueryBlock()), Names{"DLE EOT 4"});
    EXPECT_EQ(Named(PaperTakenQueryBlock()), Names{"GS F 0x01 取纸状态查询"});
    EXPECT_EQ(Named(SerialStatusQueryBlock()), (Names{"DLE EOT 2", "DLE EOT 4"}));

    EXPECT_EQ(Reply(NearEndQueryBlock(), test::Hex("12")), "DLE EOT 4 → 0x12");
    EXPECT_EQ(Reply(PaperTakenQueryBlock(), test::Hex("00")), "GS F 1 → 0x00");
    EXPECT_EQ(Reply(SerialStatusQueryBlock(), test::Hex("36 72")),
              "DLE EOT 2 → 0x36 | DLE EOT 4 → 0x72");
    EXPECT_EQ(Reply(SerialStatusQueryBlock(), test::Hex("36")),
              "DLE EOT 2 → 0x36 | DLE EOT 4 → 无回复");
    EXPECT_EQ(Reply(FullCutBlock(), test::Hex("12 34")), "12 34");
}

TEST(EscPosNames, PicturesAndContinuousCopies) {
    // The NV definition the logo button sends for a 16 x 8 picture, then its print command.
    std::string definition = test::Hex("1C 71 01 02 00 01 00") + std::string(16, '\xFF');
    EXPECT_EQ(Named(definition), Names{"FS q 1 定义NV位图 (23 字节)"});
    const std::string printLogo(kPrintNvLogoCommand.begin(), kPrintNvLogoCommand.end());
    EXPECT_EQ(Named(printLogo), Names{"FS p 1 48 打印NV位图"});
    EXPECT_EQ(Named(test::Hex("1B 2A 00 40 02") + std::string(576, '\x81')),
              Names{"ESC * 0 位图 576 列"});

    const std::vector<std::string> sends =
        PortCopySends(3, {9, 5, 7}, "OK", {.printLogo = true, .mixedSize = false, .autoCut = true});
    EXPECT_EQ(Named(sends), (std::vector<Names>{{"\"当前第3份,时间:9:5:7\"", "CR LF ×2"},
                                                {"FS p 1 48 打印NV位图"},
                                                {"\"OK\"", "CR LF"},
                                                {"CR LF ×4", "ESC i 全切"}}));
    // A mixed-size copy goes one byte per call: half a character cannot be read alone.
    EXPECT_EQ(Named(test::Hex("B2")), Names{"b2 (不完整)"});
    EXPECT_EQ(Named(test::Hex("1D 21 22")), Names{"GS ! 0x22 宽3倍 高3倍"});
}

TEST(EscPosNames, UnknownBytesAsHexAndLargeRunsCut) {
    EXPECT_EQ(Named(test::Hex("07 1B 78 1D 56 41 03")),
              (Names{"07", "1b 78", "GS V 65 3 走纸并全切"}));
    // A long text shows its first 96 bytes; a long run stops after 48 names.
    const std::string text(1000, 'x');
    EXPECT_EQ(Named(text), Names{"\"" + std::string(96, 'x') + "\"… (1000 字节)"});
    std::string many;
    for (int i = 0; i < 30; ++i) many += "A" + HalfCutBlock();
    const Names named = Named(many);
    ASSERT_EQ(named.size(), 49u);
    EXPECT_EQ(named[47], "ESC m 半切");
    EXPECT_EQ(named[48], "… (另有 18 字节)");
}

}  // namespace
}  // namespace quillora
