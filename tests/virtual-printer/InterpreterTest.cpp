// The interpreter fed hand-written byte streams: where dots land, what is marked, and how it
// copes with streams that are cut short or make no sense.
#include <gtest/gtest.h>

#include <random>

#include "virtual-printer/PrinterHarness.h"
#include "virtual-printer/lib/Glyphs.h"

namespace vprinter::test {
namespace {

TEST(BitImageTest, BandsStackWithoutGapsOneDotPerColumnEvenArrivingByteByByte) {
    // Band 1: a frame 8 columns wide; band 2: every other column full.
    const auto bytes =
        Hex("1B 2A 00 08 00 FF 81 81 81 81 81 81 FF"
            "1B 2A 00 08 00 FF 00 FF 00 FF 00 FF 00");
    InterpreterRig rig;
    const QImage paper = rig.PrintAll(bytes).paper.Picture();
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
    EXPECT_EQ(piecemeal.PrintAll({}).paper.Picture(), paper);
}

// The dots of `cell` drawn into `expected` with its top left corner at (left, top), cut off
// at the paper's right edge.
void StampDots(QImage& expected, const QImage& cell, int left, int top) {
    for (int y = 0; y < cell.height(); ++y) {
        for (int x = 0; x < cell.width() && left + x < expected.width(); ++x) {
            if (IsDot(cell, x, y)) expected.setPixel(left + x, top + y, qRgb(0, 0, 0));
        }
    }
}

TEST(PaintingTest, LinesArePaintedAsIfEachWereOneImageOfItsCells) {
    InterpreterRig rig;
    const QImage paper =
        rig.PrintAll(Hex("1D 21 01 41 1D 21 00 42 1B 24 06 00 43 0A"  // tall A, B, then C over both
                         "1B 61 01 1D 4C 64 00 41 42 0A 1D 4C 00 00 1B 61 00"  // centred in the
                                                                               // area from 100
                         "1D 4C 3F 02 41 0A 1D 4C 00 00"  // from dot 575: one column shows
                         "1B 7B 01 41 42 0A 1B 7B 00"))   // upside down
            .paper.Picture();
    EXPECT_EQ(rig.output.receipts.back().problems, 0);
    const QImage a = RenderCharacter("A", false, 1, 1);
    const QImage b = RenderCharacter("B", false, 1, 1);
    QImage expected(576, 48 + 3 * 30, QImage::Format_RGB32);
    expected.fill(Qt::white);
    // The short cells stand on the line's bottom, next to the tall one.
    StampDots(expected, RenderCharacter("A", false, 1, 2), 0, 0);
    StampDots(expected, b, 12, 24);
    StampDots(expected, RenderCharacter("C", false, 1, 1), 6, 24);
    StampDots(expected, a, 100 + (476 - 24) / 2, 48);
    StampDots(expected, b, 100 + (476 - 24) / 2 + 12, 48);
    StampDots(expected, a, 575, 78);
    // Half a turn within the paper's width: B then A at the right edge, each turned too.
    StampDots(expected, b.mirrored(true, true), 576 - 24, 108);
    StampDots(expected, a.mirrored(true, true), 576 - 12, 108);
    ASSERT_EQ(paper.size(), expected.size());
    int wrong = 0;
    for (int y = 0; y < paper.height(); ++y) {
        for (int x = 0; x < paper.width(); ++x) {
            wrong += IsDot(paper, x, y) != IsDot(expected, x, y);
        }
    }
    EXPECT_EQ(wrong, 0);
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
    const QImage paper = receipt.paper.Picture();
    int darkColumns = 0;
    for (int x = 12; x < 576; ++x) darkColumns += IsDot(paper, x, 12) ? 1 : 0;
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
    EXPECT_EQ(feeds.output.receipts[0].paper.Height(), Paper::kMaxHeightDots);

    // No receipt grows past the limit: not by one long feed (255 lines of 255 dots) ...
    InterpreterRig longFeed;
    const Receipt& fed = longFeed.PrintAll(Hex("1B 33 FF 0A 0A 0A 1B 64 FF"));
    EXPECT_EQ(fed.paper.Height(), Paper::kMaxHeightDots);
    EXPECT_EQ(fed.endedBy, "paper length limit");
    // ... nor by a picture taller than what is left (8 x 20000 dots, double height): its
    // rows past the end are lost, and that is reported.
    InterpreterRig tall;
    std::vector<std::uint8_t> raster = Hex("0A 1D 76 30 02 01 00 20 4E");
    raster.resize(raster.size() + 20000, 0x80);
    const Receipt& cut = tall.PrintAll(raster);
    const QImage paper = cut.paper.Picture();
    EXPECT_EQ(paper.height(), Paper::kMaxHeightDots);
    EXPECT_TRUE(IsDot(paper, 0, Paper::kMaxHeightDots - 1));
    EXPECT_FALSE(IsDot(paper, 1, Paper::kMaxHeightDots - 1));
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
        EXPECT_LE(receipt.paper.Height(), Paper::kMaxHeightDots);
    }
    EXPECT_LE(total, bytes.size());
}

}  // namespace
}  // namespace vprinter::test
