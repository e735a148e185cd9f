// The common command set on hand-written streams: where character modes, positions,
// code tables and graphics put their dots.
#include <gtest/gtest.h>

#include "virtual-printer/PrinterHarness.h"
#include "virtual-printer/lib/Glyphs.h"

namespace vprinter::test {
namespace {

int DotsIn(const QImage& paper, const QRect& area) {
    int dots = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) dots += IsDot(paper, x, y) ? 1 : 0;
    }
    return dots;
}

TEST(CommandSetTest, ModesPositionsAndMarginsPlaceTheDots) {
    InterpreterRig rig;
    const QImage paper =
        rig.PrintAll(
               Hex("1D 4C 64 00 49 0A 1D 4C 00 00"  // left margin 100: "I"
                   "1B 24 2C 01 49 0A"              // absolute position 300: "I"
                   "1B 2D 02 41 42 0A 1B 2D 00"     // 2-dot underline under "AB"
                   "1D 42 01 20 20 0A 1D 42 00"     // two reversed spaces: a black 24 x 24 box
                   "1B 7B 01 41 0A 1B 7B 00"       // upside down, left-justified: at the right edge
                   "1B 33 50 41 0A 1B 32 41 0A"))  // line spacing 80 dots, then back to 30
            .paper.Picture();
    EXPECT_EQ(rig.output.receipts.back().problems, 0);
    ASSERT_EQ(paper.height(), 5 * 30 + 80 + 30);
    const QRect margin = InkBox(paper, 0, 30);
    EXPECT_GE(margin.left(), 100);
    EXPECT_LT(margin.right(), 112);
    const QRect position = InkBox(paper, 30, 60);
    EXPECT_GE(position.left(), 300);
    EXPECT_LT(position.right(), 312);
    EXPECT_EQ(DotsIn(paper, QRect(0, 60 + 22, 24, 2)), 48);  // both underline rows, full
    EXPECT_EQ(DotsIn(paper, QRect(0, 90, 24, 24)), 24 * 24);
    EXPECT_EQ(InkBox(paper, 90, 120).right(), 23);
    const QRect upsideDown = InkBox(paper, 120, 150);
    EXPECT_GT(upsideDown.left(), 576 - 12);
    // Back upright: the plain glyph where the 80-dot line begins.
    EXPECT_EQ(InkBox(paper, 150, 230),
              InkBox(RenderCharacter("A", false, 1, 1)).translated(0, 150));
}

TEST(CommandSetTest, CodeTablesAndDoubleByteModeDecideWhatHighBytesAre) {
    InterpreterRig rig;
    // PC866 0x80 is Cyrillic A, PC437 0x80 is C cedilla; back in GBK mode a lone 0x80 is
    // no character.
    const Receipt& receipt = rig.PrintAll(Hex("1B 74 11 80 0A 1B 74 00 80 0A 1C 26 80 0A"));
    EXPECT_EQ(receipt.problems, 1);
    EXPECT_TRUE(rig.output.Logged("offset 12: unknown byte: 80"));
    const QImage paper = receipt.paper.Picture();
    const auto cell = [&](int line) {
        return paper.copy(0, line * 30, 12, 24).convertToFormat(QImage::Format_Grayscale8);
    };
    EXPECT_EQ(cell(0), RenderCharacter(QString::fromUtf8("А"), false, 1, 1));
    EXPECT_EQ(cell(1), RenderCharacter(QString::fromUtf8("Ç"), false, 1, 1));
    // A table this printer lacks is reported and the last one stays.
    InterpreterRig missing;
    EXPECT_EQ(missing.PrintAll(Hex("1B 74 63 41 0A")).problems, 1);
    EXPECT_TRUE(missing.output.Logged("code table 99 is not built into this printer; table 0"));
}

// The printer knows PC1098 but the C library has no converter for it.
TEST(CommandSetTest, ATableWithoutAConverterIsReportedAndTheLastOneStays) {
    InterpreterRig rig;
    const Receipt& receipt = rig.PrintAll(Hex("1C 2E 1B 74 10 1B 74 29 80 0A"));
    EXPECT_EQ(receipt.problems, 1);
    EXPECT_TRUE(
        rig.output.Logged("code table 41 (CP1098) cannot be rendered here; table 16 stays"));
    // 0x80 is the euro sign of table 16 (CP1252), still selected: the last line, under the
    // problem's note, is as without the second ESC t.
    const auto lastLine = [](const QImage& paper) {
        return paper.copy(0, paper.height() - 30, 576, 30);
    };
    InterpreterRig euro;
    EXPECT_EQ(lastLine(receipt.paper.Picture()),
              lastLine(euro.PrintAll(Hex("1C 2E 1B 74 10 80 0A")).paper.Picture()));
}

TEST(CommandSetTest, TheSameCharacterFromACodeTableAndFromGbkKeepsItsOwnWidth) {
    InterpreterRig rig;
    // PC866 0x80 and GBK A7 A1 are both Cyrillic A: half width from the table, full width
    // as a double-byte character, whichever was drawn first.
    const QImage paper = rig.PrintAll(Hex("1B 74 11 80 0A 1C 26 A7 A1 0A")).paper.Picture();
    EXPECT_EQ(rig.output.receipts.back().problems, 0);
    const QString a = QString::fromUtf8("А");
    EXPECT_EQ(paper.copy(0, 0, 12, 24).convertToFormat(QImage::Format_Grayscale8),
              RenderCharacter(a, false, 1, 1));
    EXPECT_EQ(paper.copy(0, 30, 24, 24).convertToFormat(QImage::Format_Grayscale8),
              RenderCharacter(a, true, 1, 1));
}

TEST(CommandSetTest, RasterAndStoredGraphicsPrintDotForDot) {
    InterpreterRig rig;
    // GS v 0 quadruple: one byte 81 gives dots 0 and 7, each 2 x 2.
    // GS ( L fn 112 stores 16 x 1 dots (F0 0F), fn 50 prints them.
    // GS ( L fn 67 defines NV graphics "A1" 8 x 2 (FF, 18), fn 69 prints it.
    const QImage paper =
        rig.PrintAll(Hex("1D 76 30 33 01 00 01 00 81"
                         "1D 28 4C 0C 00 30 70 30 01 01 31 10 00 01 00 F0 0F 1D 28 4C 02 00 30 32"
                         "1D 28 4C 0D 00 30 43 30 41 31 01 08 00 02 00 31 FF 18"
                         "1D 28 4C 06 00 30 45 41 31 01 01"))
            .paper.Picture();
    EXPECT_EQ(rig.output.receipts.back().problems, 0);
    ASSERT_EQ(paper.height(), 2 + 1 + 2);
    const char* rows[] = {"1100000000000011", "1100000000000011", "1111000000001111",
                          "1111111100000000", "0001100000000000"};
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 16; ++x) {
            EXPECT_EQ(IsDot(paper, x, y), rows[y][x] == '1') << x << "," << y;
        }
    }
    EXPECT_EQ(InkBox(paper).right(), 15);
    EXPECT_NE(rig.memory.nvGraphics.Find(0x4131), nullptr);
}

TEST(CommandSetTest, CutFormsAndTwoDimensionalCodes) {
    InterpreterRig rig;
    // PDF417 with 2-dot modules, then GS V 66 with a 40-dot feed.
    rig.Feed(
        Hex("1D 28 6B 03 00 30 43 02 1D 28 6B 0B 00 30 50 30 51 75 69 6C 6C 6F 72 61"
            "1D 28 6B 03 00 30 51 30 1D 56 42 28"));
    ASSERT_EQ(rig.output.receipts.size(), 1u);
    const Receipt& receipt = rig.output.receipts[0];
    EXPECT_EQ(receipt.endedBy, "partial cut (GS V 66)");
    EXPECT_EQ(receipt.problems, 0);
    const QRect symbol = InkBox(receipt.paper.Picture(), 0, 12);  // above the cut's note
    EXPECT_GT(symbol.width(), 100);
    EXPECT_LT(symbol.width(), 400);
    EXPECT_EQ(symbol.left(), 0);
    // Printing with nothing stored is reported, not drawn.
    rig.PrintAll(Hex("1D 28 6B 03 00 31 51 30 41 0A"));
    EXPECT_TRUE(rig.output.Logged("QR code printed without data stored"));
}

}  // namespace
}  // namespace vprinter::test
