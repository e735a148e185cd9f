// The interpreter fed hand-written byte streams: where dots land, what is marked, and how it
// copes with streams that are cut short or make no sense.
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
    const QImage& paper = rig.PrintAll(bytes).paper;
    ASSERT_EQ(paper.size(), QSize(576, 16));
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(IsDot(paper, x, y), x == 0 || x == 7 || y == 0 || y == 7) << x << "," << y;
            EXPECT_EQ(IsDot(paper, x, y + 8), x % 2 == 0) << x << "," << y + 8;
        }
    }
    EXPECT_EQ(InkBox(paper), QRect(0, 0, 8, 16));

    InterpreterRig piecemeal;
    for (const std::uint8_t byte : bytes) piecemeal.Feed({byte});
    EXPECT_EQ(piecemeal.PrintAll({}).paper, paper);
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
    // Sizes say 2 x 2 bytes (32 data bytes) but only 4 follow before the stream ends.
    InterpreterRig nv;
    EXPECT_EQ(nv.PrintAll(Hex("1C 70 01 30 1C 71 01 02 00 02 00 AA BB CC DD")).problems, 2);
    EXPECT_TRUE(nv.output.Logged("offset 0: NV image 1 is not defined"));
    EXPECT_TRUE(nv.output.Logged("offset 4: truncated command at the end of the data (11 bytes)"));
    EXPECT_TRUE(nv.memory.nvImages.empty());

    // An unknown two-byte GS command as the last bytes received: nothing past them is read
    // (found by the fuzzer under AddressSanitizer).
    InterpreterRig shortGs;
    EXPECT_EQ(shortGs.PrintAll(Hex("41 0A 1D DF")).problems, 1);
    EXPECT_TRUE(shortGs.output.Logged("offset 2: unknown command: 1D DF"));

    InterpreterRig feeds;  // 20 x 255 lines x 30 dots = 153000 dots
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 20; ++i) bytes.insert(bytes.end(), {0x1B, 0x64, 0xFF});
    feeds.PrintAll(bytes);
    ASSERT_EQ(feeds.output.receipts.size(), 4u);
    EXPECT_EQ(feeds.output.receipts[0].endedBy, "paper length limit");
    EXPECT_EQ(feeds.output.receipts[0].paper.height(), Paper::kMaxHeightDots);

    // No receipt grows past the limit: not by one long feed (255 lines of 255 dots) ...
    InterpreterRig longFeed;
    const Receipt& fed = longFeed.PrintAll(Hex("1B 33 FF 0A 0A 0A 1B 64 FF"));
    EXPECT_EQ(fed.paper.height(), Paper::kMaxHeightDots);
    EXPECT_EQ(fed.endedBy, "paper length limit");
    // ... nor by a picture taller than what is left (8 x 20000 dots, double height): its
    // rows past the end are lost, and that is reported.
    InterpreterRig tall;
    std::vector<std::uint8_t> raster = Hex("0A 1D 76 30 02 01 00 20 4E");
    raster.resize(raster.size() + 20000, 0x80);
    const Receipt& cut = tall.PrintAll(raster);
    EXPECT_EQ(cut.paper.height(), Paper::kMaxHeightDots);
    EXPECT_TRUE(IsDot(cut.paper, 0, Paper::kMaxHeightDots - 1));
    EXPECT_FALSE(IsDot(cut.paper, 1, Paper::kMaxHeightDots - 1));
    EXPECT_EQ(cut.problems, 1);
    EXPECT_TRUE(tall.output.Logged("7262 rows of dots past the paper length limit were lost"));

    std::mt19937 random(20240607);
    InterpreterRig rig;
    bytes.assign(30000, 0);
    for (auto& byte : bytes) byte = static_cast<std::uint8_t>(random());
    // Many prefixes, so that commands rather than plain bytes dominate.
    for (std::size_t i = 0; i < bytes.size(); i += 7) bytes[i] = Hex("1B1D1C10")[random() % 4];
    rig.PrintAll(bytes);
    std::size_t total = 0;
    for (const Receipt& receipt : rig.output.receipts) {
        total += receipt.raw.size();
        EXPECT_LE(receipt.paper.height(), Paper::kMaxHeightDots);
    }
    EXPECT_LE(total, bytes.size());
}

}  // namespace
}  // namespace vprinter::test
