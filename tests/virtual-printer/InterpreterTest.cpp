// The interpreter fed hand-written byte streams: where dots land, what is answered, when
// receipts end, and how it copes with streams that are cut short or make no sense.
#include <gtest/gtest.h>

#include <random>

#include "PrinterHarness.h"

namespace vprinter::test {
namespace {

TEST(BitImageTest, BandsStackWithoutGapsOneDotPerColumnEvenArrivingByteByByte) {
    // Band 1: a frame 8 columns wide; band 2: every other column full.
    const auto bytes =
        Hex("1B 2A 00 08 00 FF 81 81 81 81 81 81 FF"
            "1B 2A 00 08 00 FF 00 FF 00 FF 00 FF 00");
    InterpreterRig rig;
    const Receipt& receipt = rig.PrintAll(bytes);
    const QImage& paper = receipt.paper;
    ASSERT_EQ(paper.size(), QSize(576, 16));
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

    InterpreterRig piecemeal;
    for (const std::uint8_t byte : bytes) piecemeal.Feed({byte});
    piecemeal.interpreter.EndOfStream();
    ASSERT_EQ(piecemeal.output.receipts.size(), 1u);
    EXPECT_EQ(piecemeal.output.receipts[0].paper, paper);
    EXPECT_EQ(piecemeal.output.receipts[0].raw, bytes);
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
            EXPECT_EQ(IsDot(paper, x, y), y < 8 ? x == y : x == 15 - y) << x << "," << y;
        }
    }
    EXPECT_EQ(InkBox(paper), QRect(0, 0, 8, 16));
}

TEST(StatusTest, RepliesCarryTheSensorsAndFunctionSwitchesAreKept) {
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
    nearEnd.interpreter.EndOfStream();  // queries alone make no receipt
    EXPECT_TRUE(nearEnd.output.receipts.empty());
    EXPECT_TRUE(nearEnd.output.Logged("6 bytes received, nothing printed"));

    InterpreterRig switches;
    switches.Feed(Hex("1D 46 21 1D 46 31 1D 46 30 1D 46 55"));
    EXPECT_TRUE(switches.memory.functionSwitches.at(2));
    EXPECT_FALSE(switches.memory.functionSwitches.at(3));
    EXPECT_TRUE(switches.output.Logged("offset 0: function switch: black mark on"));
    EXPECT_TRUE(switches.output.Logged("offset 6: function switch: cutter off"));
    EXPECT_TRUE(
        switches.output.Logged("offset 9: function switch parameter out of range: 1D 46 55"));
    EXPECT_TRUE(switches.output.replies.empty());
}

TEST(ReceiptTest, EachCutEndsAReceiptWithItsOwnBytesAndPauseWaitsForACommand) {
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

    InterpreterRig paused;
    paused.Feed(Hex("41 0A 1B 2A 00 02"));
    paused.interpreter.Pause();
    EXPECT_TRUE(paused.output.receipts.empty());
    paused.Feed(Hex("00 FF FF"));
    paused.interpreter.Pause();
    ASSERT_EQ(paused.output.receipts.size(), 1u);
    EXPECT_EQ(paused.output.receipts[0].endedBy, "pause in the data");
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

TEST(MalformedTest, StreamsCutShortOversizedOrRandomAreReportedAndEnd) {
    InterpreterRig wide;  // 578 columns: the last two are cut off
    std::vector<std::uint8_t> bytes = Hex("1B 2A 00 42 02");
    bytes.resize(bytes.size() + 578, 0x80);
    const Receipt& cut = wide.PrintAll(bytes);
    EXPECT_TRUE(wide.output.Logged("offset 0: bit image of 578 columns is wider than the paper"));
    EXPECT_EQ(cut.problems, 1);
    EXPECT_TRUE(IsDot(cut.paper, 575, cut.paper.height() - 8));
    EXPECT_FALSE(IsDot(cut.paper, 575, cut.paper.height() - 7));

    // Sizes say 2 x 2 bytes (32 data bytes) but only 4 follow before the stream ends.
    InterpreterRig nv;
    nv.PrintAll(Hex("1C 70 01 30 1C 71 01 02 00 02 00 AA BB CC DD"));
    EXPECT_TRUE(nv.output.Logged("offset 0: NV image 1 is not defined"));
    EXPECT_TRUE(nv.output.Logged("offset 4: truncated command at the end of the data (11 bytes)"));
    EXPECT_TRUE(nv.memory.nvImages.empty());
    ASSERT_EQ(nv.output.receipts.size(), 1u);
    EXPECT_EQ(nv.output.receipts[0].problems, 2);

    // Height 289 x 8 dots is too much: only the header is refused, what follows is read afresh.
    InterpreterRig refused;
    refused.PrintAll(Hex("1C 71 01 01 00 21 01 41 0A"));
    EXPECT_TRUE(refused.output.Logged(
        "offset 0: NV image definition with a count or size out of range: 1C 71 01"));
    EXPECT_TRUE(refused.memory.nvImages.empty());

    InterpreterRig barcode;
    bytes = Hex("1D 6B 04");
    bytes.resize(3 + 300, '1');
    barcode.PrintAll(bytes);
    EXPECT_TRUE(
        barcode.output.Logged("offset 0: barcode data without terminator in 255 bytes: 1D 6B 04"));
    EXPECT_EQ(barcode.output.logs.size(), 1u);
    EXPECT_GT(barcode.output.receipts.back().paper.height(), 24 * 5);  // 300 digits of text

    InterpreterRig feeds;  // 20 x 255 lines x 30 dots = 153000 dots
    bytes.clear();
    for (int i = 0; i < 20; ++i) bytes.insert(bytes.end(), {0x1B, 0x64, 0xFF});
    feeds.PrintAll(bytes);
    ASSERT_EQ(feeds.output.receipts.size(), 4u);
    EXPECT_EQ(feeds.output.receipts[0].endedBy, "paper length limit");

    std::mt19937 random(20240607);
    for (int round = 0; round < 3; ++round) {
        InterpreterRig rig;
        bytes.assign(10000, 0);
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

}  // namespace
}  // namespace vprinter::test
