// The interpreter fed hand-written byte streams: where dots land, what is answered, when
// receipts end, and how it copes with streams that are cut short or make no sense.
#include <gtest/gtest.h>

#include <QTemporaryDir>
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
    InterpreterRig first;  // 8 x 16 dots, column-major: two bytes a column (rows 0-7, 8-15)
    first.Feed(Hex("1C 71 01 01 00 02 00 80 01 40 02 20 04 10 08 08 10 04 20 02 40 01 80"));
    first.interpreter.EndOfStream();
    EXPECT_TRUE(first.output.receipts.empty());
    EXPECT_TRUE(first.output.Logged("NV image 1 defined, 8 x 16 dots"));

    InterpreterRig second;
    second.memory = first.memory;
    const QImage& paper = second.PrintAll(Hex("1C 70 01 30")).paper;
    ASSERT_EQ(paper.height(), 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(IsDot(paper, x, y), y < 8 ? x == y : x == 15 - y) << x << "," << y;
        }
    }
    EXPECT_EQ(InkBox(paper), QRect(0, 0, 8, 16));
}

// The program's own queries are checked end to end; these are the ones it never sends.
TEST(StatusTest, FunctionSwitchesAreKeptAndQueriesAloneMakeNoReceipt) {
    InterpreterRig rig;
    rig.memory.sensors = {true, true, false};
    rig.Feed(Hex("1D 46 01 10 04 01 1D 46 21 1D 46 31 1D 46 30"));
    EXPECT_EQ(rig.output.replies, Hex("32 1A"));
    EXPECT_TRUE(rig.memory.functionSwitches.at(2));
    EXPECT_FALSE(rig.memory.functionSwitches.at(3));
    EXPECT_TRUE(rig.output.Logged("offset 6: function switch: black mark on"));
    EXPECT_TRUE(rig.output.Logged("offset 12: function switch: cutter off"));
    rig.interpreter.EndOfStream();
    EXPECT_TRUE(rig.output.receipts.empty());
    EXPECT_TRUE(rig.output.Logged("15 bytes received, nothing printed"));
    rig.Feed(Hex("1D 46 55"));
    EXPECT_TRUE(rig.output.Logged("offset 0: function switch parameter out of range: 1D 46 55"));
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
    const Receipt& drawer = rig.PrintAll({});
    EXPECT_EQ(drawer.raw, Hex("1B 39 00 05 0A"));
    EXPECT_TRUE(rig.output.Logged("offset 0: cash drawer pulse: 1B 39 00 05 0A"));
    EXPECT_GT(drawer.paper.height(), 10);  // the pulse is drawn

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

TEST(BarcodeTest, EverySymbologyDecodesAndWhatCannotBeEncodedIsReported) {
    InterpreterRig rig;
    const Receipt& receipt = rig.PrintAll(
        Hex("1D 6B 04 31 32 33 34 35 36 00"                          // CODE39 "123456"
            "1D 6B 49 06 7B 42 41 42 31 32"                          // CODE128 "{B" "AB12"
            "1D 6B 49 0D 31 32 33 34 35 36 37 38 39 30 31 32 33"     // no code set selector
            "1D 6B 02 34 30 30 36 33 38 31 33 33 33 39 33 31 00"     // JAN13, right check
            "1D 6B 02 31 32 33 34 35 36 37 38 39 30 31 32 33 00"     // JAN13, wrong check
            "1D 6B 03 31 32 33 34 35 36 37 38 00"                    // JAN8, wrong check
            "1D 6B 02 31 32 33 00 1D 6B 04 21 00 1D 6B 06 31 00"));  // cannot be encoded
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("barcode.png"));
    ASSERT_TRUE(receipt.paper.save(path));
    // No reader accepts a JAN symbol whose check digit is wrong, so the bars carry the
    // right one and the log says what was sent.
    EXPECT_EQ(
        DecodeBarcodes(path),
        (QStringList{QStringLiteral("CODE-128:1234567890123"), QStringLiteral("CODE-128:AB12"),
                     QStringLiteral("CODE-39:123456"), QStringLiteral("EAN-13:1234567890128"),
                     QStringLiteral("EAN-13:4006381333931"), QStringLiteral("EAN-8:12345670")}));
    EXPECT_TRUE(
        rig.output.Logged("offset 20: CODE128 data does not start with a code set selector"));
    EXPECT_TRUE(
        rig.output.Logged("offset 54: JAN13 check digit 3 is wrong (the first 12 digits give 8): "
                          "printed 1234567890128"));
    EXPECT_TRUE(rig.output.Logged(
        "offset 71: JAN8 check digit 8 is wrong (the first 7 digits give 0): printed 12345670"));
    EXPECT_TRUE(rig.output.Logged("offset 83: JAN13 needs 12 or 13 digits, got \"123\""));
    EXPECT_TRUE(rig.output.Logged("offset 90: CODE39 \"!\" cannot be encoded"));
    EXPECT_TRUE(rig.output.Logged("offset 95: barcode type not supported by this printer"));
    EXPECT_EQ(rig.output.logs.size(), 6u);
    EXPECT_EQ(receipt.problems, 6);
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
    EXPECT_EQ(nv.PrintAll(Hex("1C 70 01 30 1C 71 01 02 00 02 00 AA BB CC DD")).problems, 2);
    EXPECT_TRUE(nv.output.Logged("offset 0: NV image 1 is not defined"));
    EXPECT_TRUE(nv.output.Logged("offset 4: truncated command at the end of the data (11 bytes)"));
    EXPECT_EQ(nv.output.receipts.size(), 1u);

    // Height 289 x 8 dots is too much: only the header is refused, what follows is read afresh.
    InterpreterRig refused;
    refused.PrintAll(Hex("1C 71 01 01 00 21 01 41 0A"));
    EXPECT_TRUE(refused.output.Logged(
        "offset 0: NV image definition with a count or size out of range: 1C 71 01"));
    EXPECT_TRUE(refused.memory.nvImages.empty() && nv.memory.nvImages.empty());

    InterpreterRig barcode;
    bytes = Hex("1D 6B 04");
    bytes.resize(3 + 300, '1');
    EXPECT_GT(barcode.PrintAll(bytes).paper.height(), 24 * 5);  // 300 digits of text
    EXPECT_TRUE(
        barcode.output.Logged("offset 0: barcode data without terminator in 255 bytes: 1D 6B 04"));
    EXPECT_EQ(barcode.output.logs.size(), 1u);

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
