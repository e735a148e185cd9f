#include "commands/CommandBytes.h"

#include <gtest/gtest.h>

#include "commands/ExpectedCommands.h"
#include "commands/FunctionSwitch.h"

namespace quillora {
namespace {

using test::Hex;
using test::ToHex;

TEST(CommandBytes, OneLineCommands) {
    EXPECT_EQ(ToHex(HalfCutBlock()), "1B 6D");
    EXPECT_EQ(ToHex(FullCutBlock()), "1D 56 00");
    EXPECT_EQ(ToHex(FeedBlock()), "1B 64 0A");
    EXPECT_EQ(ToHex(CashDrawerBlock()), "1B 39 00 05 0A");
    EXPECT_EQ(ToHex(BlackMarkFeedBlock()), "1D 0C");
}

TEST(CommandBytes, SinglePrintAppendsCrLfToTheTextBytes) {
    EXPECT_EQ(ToHex(SinglePrintBlock("")), "0D 0A");
    EXPECT_EQ(ToHex(SinglePrintBlock(Hex("B2 E2 0D 0A 41"))), "B2 E2 0D 0A 41 0D 0A");
}

TEST(CommandBytes, BarcodePageSendsFiveBlocksWithTheirTerminators) {
    const std::vector<CommandBlock> blocks = BarcodePageBlocks();
    EXPECT_EQ(ToHex(blocks), test::expected::kBarcodePage);
    ASSERT_EQ(blocks.size(), 5u);
    const std::vector<size_t> lengths{42, 29, 27, 21, 31};
    for (size_t i = 0; i < blocks.size(); ++i) EXPECT_EQ(blocks[i].size(), lengths[i]) << i;
}

TEST(CommandBytes, EnlargementLadderEndsAtNormalSize) {
    EXPECT_EQ(ToHex(EnlargementBlocks()), test::expected::kEnlargement);
}

TEST(CommandBytes, AlignmentBlocksCentreRightLeft) {
    EXPECT_EQ(ToHex(AlignmentBlocks()), test::expected::kAlignment);
}

TEST(CommandBytes, FunctionSwitchAndStatusQueries) {
    EXPECT_EQ(ToHex(FunctionSwitchBlock(0x21)), "1D 46 21");
    EXPECT_EQ(ToHex(FunctionSwitchBlock(0x30)), "1D 46 30");
    EXPECT_EQ(ToHex(NearEndQueryBlock()), "10 04 04");
    EXPECT_EQ(ToHex(PaperTakenQueryBlock()), "1D 46 01");
    EXPECT_EQ(ToHex(SerialStatusQueryBlock()), "10 04 02 10 04 04");
}

// Captions are compared as GBK bytes, written out here.
TEST(FunctionSwitchStep, EnableCaptionSwitchesOnEverythingElseSwitchesOff) {
    const std::string enableBlackMark = Hex("BF AA C6 F4 BA DA B1 EA");   // 开启黑标
    const std::string disableBlackMark = Hex("B9 D8 B1 D5 BA DA B1 EA");  // 关闭黑标

    SwitchStep step = NextSwitchStep(kBlackMarkSwitch, enableBlackMark);
    EXPECT_EQ(step.n, 0x21);
    EXPECT_STREQ(step.newCaption, "关闭黑标");

    step = NextSwitchStep(kBlackMarkSwitch, disableBlackMark);
    EXPECT_EQ(step.n, 0x20);
    EXPECT_STREQ(step.newCaption, "开启黑标");

    for (const std::string& other : {std::string(), enableBlackMark + " ", std::string("kai")}) {
        step = NextSwitchStep(kBlackMarkSwitch, other);
        EXPECT_EQ(step.n, 0x20) << ToHex(other);
        EXPECT_STREQ(step.newCaption, "开启黑标");
    }
}

TEST(FunctionSwitchStep, OnAndOffBytesOfEachSwitch) {
    // 开启纸将尽检测, 开启取纸传感功能, 开启切刀功能 in GBK.
    const std::string nearEnd = Hex("BF AA C6 F4 D6 BD BD AB BE A1 BC EC B2 E2");
    const std::string paperTake = Hex("BF AA C6 F4 C8 A1 D6 BD B4 AB B8 D0 B9 A6 C4 DC");
    const std::string cutter = Hex("BF AA C6 F4 C7 D0 B5 B6 B9 A6 C4 DC");
    EXPECT_EQ(NextSwitchStep(kNearEndSwitch, nearEnd).n, 0x11);
    EXPECT_EQ(NextSwitchStep(kNearEndSwitch, "").n, 0x10);
    EXPECT_EQ(NextSwitchStep(kPaperTakeSwitch, paperTake).n, 0x41);
    EXPECT_EQ(NextSwitchStep(kPaperTakeSwitch, "").n, 0x40);
    EXPECT_EQ(NextSwitchStep(kCutterSwitch, cutter).n, 0x31);
    EXPECT_EQ(NextSwitchStep(kCutterSwitch, "").n, 0x30);
    EXPECT_STREQ(NextSwitchStep(kPaperTakeSwitch, paperTake).newCaption, "关闭取纸传感功能");
}

}  // namespace
}  // namespace quillora
