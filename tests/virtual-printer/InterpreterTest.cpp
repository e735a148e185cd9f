// The interpreter fed hand-written byte streams: where dots land, what is answered, when
// receipts end, and how it copes with streams that are cut short or make no sense.
#include <gtest/gtest.h>

#include <random>

#include "PrinterHarness.h"

namespace vprinter::test {
namespace {

TEST(BitImageTest, ConsecutiveBandsStackWithoutGapsOneDotPerColumn) {
    InterpreterRig rig;
    // Band 1: a frame 8 columns wide; band 2: every other column full.
    const Receipt& receipt =
        rig.PrintAll(Hex("1B 2A 00 08 00 FF 81 81 81 81 81 81 FF"
                         "1B 2A 00 08 00 FF 00 FF 00 FF 00 FF 00"));
    const QImage& paper = receipt.paper;
    ASSERT_EQ(paper.width(), 576);
    ASSERT_EQ(paper.height(), 16);
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool frame = x == 0 || x == 7 || y == 0 || y == 7;
            EXPECT_EQ(IsDot(paper, x, y), frame) << x << "," << y;
            EXPECT_EQ(IsDot(paper, x, y + 8), x % 2 == 0) << x << "," << y + 8;
        }
    }
    EXPECT_EQ(InkBox(paper), QRect(0, 0, 8, 16));
    EXPECT_EQ(receipt.endedBy, "connection closed");
    EXPECT_EQ(receipt.problems, 0);
}

TEST(BitImageTest, ArrivingOneByteAtATimeGivesTheSamePaper) {
    const auto bytes = Hex("1B 2A 00 03 00 80 01 FF 1B 2A 00 02 00 C3 3C");
    InterpreterRig whole;
    const QImage expected = whole.PrintAll(bytes).paper;
    InterpreterRig piecemeal;
    for (const std::uint8_t byte : bytes) piecemeal.Feed({byte});
    piecemeal.interpreter.EndOfStream();
    ASSERT_EQ(piecemeal.output.receipts.size(), 1u);
    EXPECT_EQ(piecemeal.output.receipts[0].paper, expected);
    EXPECT_EQ(piecemeal.output.receipts[0].raw, bytes);
}

TEST(BitImageTest, ColumnsPastThePaperAreCutOffAndSaid) {
    InterpreterRig rig;
    std::vector<std::uint8_t> bytes = Hex("1B 2A 00 42 02");  // 578 columns
    bytes.resize(bytes.size() + 578, 0x80);
    const Receipt& receipt = rig.PrintAll(bytes);
    EXPECT_TRUE(rig.output.Logged("offset 0: bit image of 578 columns is wider than the paper"));
    EXPECT_EQ(receipt.problems, 1);
    const int bandTop = receipt.paper.height() - 8;
    EXPECT_TRUE(IsDot(receipt.paper, 575, bandTop));
    EXPECT_FALSE(IsDot(receipt.paper, 575, bandTop + 1));
}

TEST(NvImageTest, DefinitionOutlivesTheConnectionAndPrintsDotForDot) {
    PrinterMemory memory;
    {
        RecordingOutput output;
        EscPosInterpreter first(memory, output);
        // 8 x 16 dots, column-major: column x holds two bytes (rows 0-7, rows 8-15).
        const auto define =
            Hex("1C 71 01 01 00 02 00"
                "80 01  40 02  20 04  10 08  08 10  04 20  02 40  01 80");
        first.Feed(define.data(), define.size());
        first.EndOfStream();
        EXPECT_TRUE(output.receipts.empty());
        EXPECT_TRUE(output.Logged("NV image 1 defined, 8 x 16 dots"));
    }
    RecordingOutput output;
    EscPosInterpreter second(memory, output);
    const auto print = Hex("1C 70 01 30");
    second.Feed(print.data(), print.size());
    second.EndOfStream();
    ASSERT_EQ(output.receipts.size(), 1u);
    const QImage& paper = output.receipts[0].paper;
    ASSERT_EQ(paper.height(), 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool expected = y < 8 ? x == y : x == 15 - y;
            EXPECT_EQ(IsDot(paper, x, y), expected) << x << "," << y;
        }
    }
    EXPECT_EQ(InkBox(paper), QRect(0, 0, 8, 16));
}

TEST(NvImageTest, UndefinedImageAndOversizedDefinitionAreReportedNotPrintedBlindly) {
    InterpreterRig rig;
    // Sizes say 2 x 2 bytes (32 data bytes) but only 4 follow before the stream ends.
    rig.Feed(Hex("1C 70 01 30 1C 71 01 02 00 02 00 AA BB CC DD"));
    rig.interpreter.EndOfStream();
    EXPECT_TRUE(rig.output.Logged("offset 0: NV image 1 is not defined"));
    EXPECT_TRUE(rig.output.Logged("offset 4: truncated command at the end of the data (11 bytes)"));
    EXPECT_TRUE(rig.memory.nvImages.empty());
    ASSERT_EQ(rig.output.receipts.size(), 1u);
    EXPECT_EQ(rig.output.receipts[0].problems, 2);

    // Height 289 x 8 dots is more than the printer takes: only the header is refused and
    // what follows is read afresh.
    InterpreterRig refused;
    refused.PrintAll(Hex("1C 71 01 01 00 21 01 41 0A"));
    EXPECT_TRUE(refused.output.Logged(
        "offset 0: NV image definition with a count or size out of range: 1C 71 01"));
    EXPECT_TRUE(refused.memory.nvImages.empty());
}

TEST(StatusTest, RepliesCarryTheSensorsInTheStandardBits) {
    InterpreterRig fine;
    fine.Feed(Hex("10 04 02 10 04 04 1D 46 01"));
    EXPECT_EQ(fine.output.replies, Hex("12 12 12"));

    InterpreterRig troubled;
    troubled.memory.sensors = {true, true, false};
    troubled.Feed(Hex("10 04 02 10 04 04 1D 46 01 10 04 01"));
    EXPECT_EQ(troubled.output.replies, Hex("36 72 32 1A"));

    InterpreterRig nearEnd;
    nearEnd.memory.sensors.paperNearEnd = true;
    nearEnd.Feed(Hex("10 04 04 10 04 02"));
    EXPECT_EQ(nearEnd.output.replies, Hex("1E 12"));
    EXPECT_TRUE(nearEnd.output.Logged("offset 0: DLE EOT 4 answered 0x1e"));

    // Queries alone print nothing and make no receipt.
    nearEnd.interpreter.EndOfStream();
    EXPECT_TRUE(nearEnd.output.receipts.empty());
    EXPECT_TRUE(nearEnd.output.Logged("6 bytes received, nothing printed"));
}

TEST(StatusTest, FunctionSwitchesAreKeptAndLogged) {
    InterpreterRig rig;
    rig.Feed(Hex("1D 46 21 1D 46 31 1D 46 30 1D 46 55"));
    EXPECT_TRUE(rig.memory.functionSwitches.at(2));
    EXPECT_FALSE(rig.memory.functionSwitches.at(3));
    EXPECT_TRUE(rig.output.Logged("offset 0: function switch: black mark on"));
    EXPECT_TRUE(rig.output.Logged("offset 6: function switch: cutter off"));
    EXPECT_TRUE(rig.output.Logged("offset 9: function switch parameter out of range: 1D 46 55"));
    EXPECT_TRUE(rig.output.replies.empty());
}

TEST(ReceiptTest, EachCutEndsAReceiptWithItsOwnBytes) {
    InterpreterRig rig;
    rig.Feed(Hex("41 0A 1D 56 00 42 0A 1B 6D 43 0A 1B 69 1B 39 00 05 0A"));
    ASSERT_EQ(rig.output.receipts.size(), 3u);
    EXPECT_EQ(rig.output.receipts[0].endedBy, "full cut (GS V 0)");
    EXPECT_EQ(rig.output.receipts[0].raw, Hex("41 0A 1D 56 00"));
    EXPECT_EQ(rig.output.receipts[1].endedBy, "half cut (ESC m)");
    EXPECT_EQ(rig.output.receipts[1].raw, Hex("42 0A 1B 6D"));
    EXPECT_EQ(rig.output.receipts[2].endedBy, "cut (ESC i)");
    rig.interpreter.EndOfStream();
    ASSERT_EQ(rig.output.receipts.size(), 4u);
    EXPECT_EQ(rig.output.receipts[3].raw, Hex("1B 39 00 05 0A"));
    EXPECT_TRUE(rig.output.Logged("offset 0: cash drawer pulse: 1B 39 00 05 0A"));
    EXPECT_GT(rig.output.receipts[3].paper.height(), 10);  // the pulse is drawn
}

TEST(ReceiptTest, PauseWaitsForAnIncompleteCommand) {
    InterpreterRig rig;
    rig.Feed(Hex("41 0A 1B 2A 00 02"));
    rig.interpreter.Pause();
    EXPECT_TRUE(rig.output.receipts.empty());
    rig.Feed(Hex("00 FF FF"));
    rig.interpreter.Pause();
    ASSERT_EQ(rig.output.receipts.size(), 1u);
    EXPECT_EQ(rig.output.receipts[0].endedBy, "pause in the data");
}

TEST(TextTest, JustificationAndSizeMoveAndScaleTheInk) {
    InterpreterRig rig;
    const Receipt& receipt =
        rig.PrintAll(Hex("1B 61 31 41 42 43 0A 1B 61 32 41 42 43 0A"
                         "1B 61 30 1D 21 11 41 42 43 0A 1D 21 00 41 0A"));
    const QImage& paper = receipt.paper;
    const QRect centred = InkBox(paper, 0, 30);
    const QRect right = InkBox(paper, 30, 60);
    const QRect doubled = InkBox(paper, 60, 108);
    ASSERT_FALSE(centred.isNull());
    EXPECT_NEAR(centred.center().x(), 288, 4);  // three 12-dot cells centred: 270 to 305
    EXPECT_GE(centred.left(), 270);
    EXPECT_LE(centred.right(), 305);
    EXPECT_GE(right.left(), 576 - 36);
    EXPECT_LE(doubled.right(), 72);
    EXPECT_GT(doubled.width(), 2 * right.width() - 8);
    EXPECT_GT(doubled.height(), 2 * right.height() - 4);
    EXPECT_EQ(paper.height(), 30 + 30 + 48 + 30);
    EXPECT_EQ(receipt.problems, 0);
}

TEST(TextTest, GbkCharactersFillAFullWidthCell) {
    InterpreterRig rig;
    // "测试" in GBK, then "AB".
    const QImage& paper = rig.PrintAll(Hex("B2 E2 CA D4 41 42 0A")).paper;
    const QRect ink = InkBox(paper);
    EXPECT_GT(ink.right(), 48);  // two 24-dot cells, then the Latin letters
    EXPECT_LT(ink.right(), 72);
    EXPECT_TRUE(rig.output.logs.empty());
}

TEST(TextTest, UnknownBytesAreLoggedWithTheirOffsetAndMarked) {
    InterpreterRig rig;
    const Receipt& receipt = rig.PrintAll(Hex("41 80 1B 77 FF 81 20 0A"));
    EXPECT_TRUE(rig.output.Logged("offset 1: unknown byte: 80"));
    EXPECT_TRUE(rig.output.Logged("offset 2: unknown command: 1B 77"));
    EXPECT_TRUE(rig.output.Logged("offset 4: unknown byte: FF"));
    EXPECT_TRUE(rig.output.Logged("offset 5: unknown byte: 81"));  // a lead byte without a trail
    EXPECT_EQ(receipt.problems, 4);
    // The marks are black boxes on the line, after the letter's cell.
    int darkColumns = 0;
    for (int x = 12; x < 576; ++x) darkColumns += IsDot(receipt.paper, x, 12) ? 1 : 0;
    EXPECT_GT(darkColumns, 60);
}

TEST(MalformedTest, UnterminatedBarcodeIsRefusedAndItsDataReadAsText) {
    InterpreterRig rig;
    std::vector<std::uint8_t> bytes = Hex("1D 6B 04");
    bytes.resize(3 + 300, '1');
    rig.PrintAll(bytes);
    EXPECT_TRUE(
        rig.output.Logged("offset 0: barcode data without terminator in 255 bytes: 1D 6B 04"));
    EXPECT_EQ(rig.output.logs.size(), 1u);
    EXPECT_GT(rig.output.receipts.back().paper.height(), 24 * 5);  // 300 digits of text
}

TEST(MalformedTest, RandomStreamsEndWithoutCrashingAndWithBoundedPaper) {
    std::mt19937 random(20240607);
    for (int round = 0; round < 3; ++round) {
        InterpreterRig rig;
        std::vector<std::uint8_t> bytes(10000);
        for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
        // Many prefixes, so that commands rather than plain bytes dominate.
        for (std::size_t i = 0; i < bytes.size(); i += 7) bytes[i] = Hex("1B1D1C10")[random() % 4];
        rig.Feed(bytes);
        rig.interpreter.EndOfStream();
        std::size_t total = 0;
        for (const Receipt& receipt : rig.output.receipts) {
            total += receipt.raw.size();
            EXPECT_LE(receipt.paper.height(), 32768 + 10000);
        }
        EXPECT_LE(total, bytes.size());
    }
}

TEST(MalformedTest, EndlessFeedsAreSplitAtThePaperLimit) {
    InterpreterRig rig;
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 20; ++i) {
        const auto feed = Hex("1B 64 FF");
        bytes.insert(bytes.end(), feed.begin(), feed.end());
    }
    rig.PrintAll(bytes);  // 20 x 255 lines x 30 dots = 153000 dots
    ASSERT_EQ(rig.output.receipts.size(), 4u);
    EXPECT_EQ(rig.output.receipts[0].endedBy, "paper length limit");
}

}  // namespace
}  // namespace vprinter::test
