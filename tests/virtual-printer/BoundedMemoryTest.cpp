// What a command's sizes may ask of the printer's memory: pictures are made only as far as
// they can be on the paper, stored graphics live in memories of fixed size, and drawn
// characters are kept by their bytes, so garbage sizes neither exhaust the memory nor spoil
// the receipt after them.
#include <gtest/gtest.h>

#include "PrinterHarness.h"
#include "virtual-printer/lib/Graphics.h"

namespace vprinter::test {
namespace {

// GS 8 L defining download (fn 83) or NV (fn 67) graphics "A1", `width` x `height` raster
// dots, every byte 0xFF.
std::vector<std::uint8_t> DefineGraphics(int function, int width, int height) {
    const std::size_t data = static_cast<std::size_t>(height) * ((width + 7) / 8);
    const std::size_t count = data + 11;  // m fn a kc1 kc2 b xL xH yL yH c
    std::vector<std::uint8_t> bytes = {0x1D, 0x38, 0x4C};
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back((count >> shift) & 0xFF);
    bytes.insert(
        bytes.end(),
        {0x30, static_cast<std::uint8_t>(function), 0x30, 0x41, 0x31, 0x01,
         static_cast<std::uint8_t>(width & 0xFF), static_cast<std::uint8_t>(width >> 8),
         static_cast<std::uint8_t>(height & 0xFF), static_cast<std::uint8_t>(height >> 8), 0x31});
    bytes.resize(bytes.size() + data, 0xFF);
    return bytes;
}

TEST(BoundedMemoryTest, APictureIsMadeOnlyAsFarAsThePaperReaches) {
    // 8000 x 2000 dots doubled both ways would be 64000000 grey dots.
    std::vector<std::uint8_t> data(1000 * 2000, 0x80);
    const QImage image =
        RasterImage(data.data(), 8000, 2000, 2, 2, Paper::kWidthDots, Paper::kMaxHeightDots);
    EXPECT_EQ(image.size(), QSize(Paper::kWidthDots, 4000));
    EXPECT_TRUE(IsDot(image, 0, 3999));  // dot 0 of each byte, doubled
    EXPECT_TRUE(IsDot(image, 17, 0));    // dot 8, at 16 and 17
    EXPECT_FALSE(IsDot(image, 18, 0));
    EXPECT_EQ(ColumnImage(data.data(), 4000, 4000, 1, 1, 100, 200).size(), QSize(100, 200));

    // GS v 0 quadruple, 1000 bytes x 2000 rows after a line feed (30 dots): cut at the
    // paper's right edge.
    InterpreterRig rig;
    std::vector<std::uint8_t> raster = Hex("0A 1D 76 30 03 E8 03 D0 07");
    raster.resize(raster.size() + 1000 * 2000, 0x80);
    const Receipt& receipt = rig.PrintAll(raster);
    EXPECT_TRUE(
        rig.output.Logged("picture of 16000 dots is wider than the print area; cut off at the "
                          "right edge"));
    // The picture's 4000 rows end the paper, below the line feed and the note.
    const QImage paper = receipt.paper.Picture();
    const int top = paper.height() - 4000;
    EXPECT_GT(top, 30);
    EXPECT_TRUE(IsDot(paper, 17, top));
    // Dot 280 (byte 35, bit 0), doubled: 560 and 561.
    EXPECT_TRUE(IsDot(paper, 561, top + 3999));
    EXPECT_FALSE(IsDot(paper, 562, top + 3999));
    EXPECT_EQ(receipt.problems, 1);
}

TEST(BoundedMemoryTest, DownloadGraphicsBeyondTheirMemoryAreRefusedAndTheNextOnesPrint) {
    InterpreterRig rig;
    // 4096 x 2100 dots: 1075200 bytes, more than the 1 MiB the memory holds.
    rig.Feed(DefineGraphics(83, 4096, 2100));
    rig.Feed(Hex("1D 28 4C 06 00 30 55 41 31 01 01"));  // print "A1"
    EXPECT_TRUE(rig.output.Logged(
        "graphics \"A1\" of 1075200 bytes do not fit in the 1048576 bytes of download graphics "
        "memory; not stored"));
    EXPECT_TRUE(rig.output.Logged("download graphics \"A1\" is not defined"));
    // NV graphics the same, and no "defined" line for what was not kept.
    rig.Feed(DefineGraphics(67, 4096, 2100));
    EXPECT_TRUE(rig.output.Logged(
        "graphics \"A1\" of 1075200 bytes do not fit in the 1048576 bytes of NV graphics "
        "memory; not stored"));
    EXPECT_FALSE(rig.output.Logged("NV graphics \"A1\" defined"));
    EXPECT_EQ(rig.memory.nvGraphics.Find(0x4131), nullptr);
    rig.Feed(Hex("1D 56 00"));
    ASSERT_EQ(rig.output.receipts.size(), 1u);
    EXPECT_EQ(rig.output.receipts[0].problems, 3);

    // A graphic that fits replaces what its key held, and prints dot for dot.
    rig.Feed(DefineGraphics(83, 16, 2));
    rig.Feed(DefineGraphics(83, 16, 3));
    const QImage paper = rig.PrintAll(Hex("1D 28 4C 06 00 30 55 41 31 01 01")).paper.Picture();
    EXPECT_EQ(rig.output.receipts.back().problems, 0);
    EXPECT_EQ(paper.height(), 3);
    EXPECT_EQ(InkBox(paper), QRect(0, 0, 16, 3));
}

TEST(BoundedMemoryTest, AGraphicsMemoryHoldsWhatFitsBesideTheOthers) {
    GraphicsStore store(100);
    const auto graphic = [](int key, std::size_t bytes) {
        GraphicDefinition definition;
        definition.keyCode = key;
        definition.dataBytes = bytes;
        return definition;
    };
    EXPECT_TRUE(store.Store(graphic(1, 60)));
    EXPECT_FALSE(store.Store(graphic(2, 41)));  // 101 in all
    EXPECT_EQ(store.Find(2), nullptr);
    EXPECT_TRUE(store.Store(graphic(2, 40)));
    EXPECT_TRUE(store.Store(graphic(1, 60)));  // in place of itself
    EXPECT_EQ(store.Bytes(), 100u);
    store.Erase(1);
    EXPECT_EQ(store.Bytes(), 40u);
    EXPECT_TRUE(store.Store(graphic(3, 60)));
}

TEST(BoundedMemoryTest, EnlargedWideSpacedCharactersAreKeptByTheirBytes) {
    // GS ! 77 (eight times both ways) and ESC SP 255: each cell 2136 x 192 dots, 410 KB;
    // 120 distinct characters would be 49 MB.
    GlyphCache glyphs;
    TextStyle style;
    style.widthFactor = style.heightFactor = 8;
    style.rightSpacing = 255;
    for (char16_t character = u'A'; character < u'A' + 120; ++character) {
        glyphs.Styled(character, false, style);
    }
    EXPECT_LE(glyphs.Bytes(), std::size_t{24} << 20);
    EXPECT_GT(glyphs.Bytes(), std::size_t{16} << 20);
}

}  // namespace
}  // namespace vprinter::test
