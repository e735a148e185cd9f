// Binary data through the interpreter: a problem repeated at every byte is one log line with
// its count, a receipt's log lines and marks stop at their bounds with the rest counted, and
// a receipt ends at its size limit.
#include <gtest/gtest.h>

#include "virtual-printer/PrinterHarness.h"

namespace vprinter::test {
namespace {

TEST(BoundedLogTest, AMebibyteOfOneUnknownByteIsOneLineWithItsCount) {
    InterpreterRig rig;
    const Receipt& receipt = rig.PrintAll(std::vector<std::uint8_t>(1 << 20, 0x01));
    ASSERT_EQ(rig.output.logs.size(), 1u);
    EXPECT_EQ(rig.output.logs[0],
              "offset 0: unknown byte: 01 (1048576 times, the last at offset 1048575)");
    EXPECT_EQ(receipt.problems, 1 << 20);
    EXPECT_EQ(receipt.raw.size(), 1u << 20);
}

TEST(BoundedLogTest, ARunEndsWhereAnotherLineComes) {
    InterpreterRig rig;
    rig.PrintAll(Hex("01 01 01 02 01"));
    EXPECT_EQ(rig.output.logs, (std::vector<std::string>{
                                   "offset 0: unknown byte: 01 (3 times, the last at offset 2)",
                                   "offset 3: unknown byte: 02", "offset 4: unknown byte: 01"}));
}

// Problems that alternate make no run: past the bound they are counted, not logged, and
// leave no mark, so the paper is as long as with the bound's worth of them.
TEST(BoundedLogTest, LinesAndMarksStopAtTheirBoundPerReceipt) {
    const auto alternating = [](int count) {
        std::vector<std::uint8_t> bytes;
        for (int i = 0; i < count; ++i) bytes.push_back(i % 2 ? 0x01 : 0x02);
        return bytes;
    };
    InterpreterRig bounded;
    const int height = bounded.PrintAll(alternating(Journal::kMarksPerReceipt)).paper.Height();
    InterpreterRig flooded;
    const Receipt& receipt = flooded.PrintAll(alternating(1000));
    EXPECT_EQ(receipt.paper.Height(), height);
    EXPECT_EQ(receipt.problems, 1000);
    ASSERT_EQ(flooded.output.logs.size(), Journal::kLinesPerReceipt + 1u);
    EXPECT_EQ(flooded.output.logs.back(),
              "936 more problem lines about this receipt not logged (at most 64 per receipt)");
    // The next receipt starts with its bounds afresh.
    flooded.output.logs.clear();
    flooded.PrintAll(Hex("01 0A"));
    EXPECT_EQ(flooded.output.logs, std::vector<std::string>{"offset 0: unknown byte: 01"});
}

TEST(BoundedLogTest, AReceiptEndsAtItsSizeLimit) {
    InterpreterRig rig;
    rig.Feed(std::vector<std::uint8_t>(kMaxReceiptBytes + 3, 0x01));
    ASSERT_EQ(rig.output.receipts.size(), 1u);
    EXPECT_EQ(rig.output.receipts[0].endedBy, "receipt size limit");
    EXPECT_EQ(rig.output.receipts[0].raw.size(), kMaxReceiptBytes);
    rig.interpreter.EndOfStream();
    ASSERT_EQ(rig.output.receipts.size(), 2u);
    EXPECT_EQ(rig.output.receipts[1].raw.size(), 3u);
}

}  // namespace
}  // namespace vprinter::test
