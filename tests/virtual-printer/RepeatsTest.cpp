// What repeats is made once: a red character is drawn once and reused like a black one, and
// a problem's text is made only for whoever reads it; neither changes what comes out.
#include <gtest/gtest.h>

#include <algorithm>

#include "virtual-printer/PrinterHarness.h"
#include "virtual-printer/lib/Glyphs.h"

namespace vprinter::test {
namespace {

// "Ab" and a GBK character in each style a cell can take, in the colour ESC r `colour` sets.
std::vector<std::uint8_t> EveryStyle(const std::string& colour) {
    std::vector<std::uint8_t> bytes;
    for (const char* style : {"", "1B 45 01", "1B 2D 02", "1D 42 01", "1D 21 11", "1B 56 01",
                              "1B 20 04 1C 53 02 03", "1B 4D 01 1B 47 01"}) {
        for (const auto& part :
             {Hex("1B 40 1B 72"), Hex(colour), Hex(style), Hex("41 62 B0 A1 0A")}) {
            bytes.insert(bytes.end(), part.begin(), part.end());
        }
    }
    return bytes;
}

// The red picture is the black one with each black dot red, as when every red cell was a
// recoloured copy of the black one.
TEST(RepeatsTest, RedTextIsTheBlackTextsDotsInRed) {
    InterpreterRig black;
    QImage expected = black.PrintAll(EveryStyle("00")).paper.Picture();
    QList<QRgb> colours = expected.colorTable();
    ASSERT_EQ(std::count(colours.begin(), colours.end(), qRgb(0, 0, 0)), 1);
    std::replace(colours.begin(), colours.end(), qRgb(0, 0, 0), qRgb(255, 0, 0));
    expected.setColorTable(colours);
    InterpreterRig red;
    const QImage picture = red.PrintAll(EveryStyle("01")).paper.Picture();
    EXPECT_GT(InkBox(picture).height(), 200);  // ink from the first line to the last
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32),
              expected.convertToFormat(QImage::Format_RGB32));
}

TEST(RepeatsTest, ARedCharacterIsDrawnOnceAndReused) {
    GlyphCache glyphs;
    TextStyle style;
    style.bold = true;
    QImage expected = glyphs.Styled(u'A', false, style);  // black, copied
    style.red = true;
    const QImage& red = glyphs.Styled(u'A', false, style);
    const std::size_t bytes = glyphs.Bytes();
    EXPECT_EQ(&glyphs.Styled(u'A', false, style), &red);
    EXPECT_EQ(glyphs.Bytes(), bytes);
    // The same dots as the black one, in the red ink.
    for (int y = 0; y < expected.height(); ++y) {
        uchar* line = expected.scanLine(y);
        std::replace(line, line + expected.width(), uchar{0}, Paper::kRedInk);
    }
    EXPECT_EQ(red, expected);
}

struct ProblemListener final : PrinterOutput {
    void Reply(const std::vector<std::uint8_t>&) override {}
    void Log(const std::string& line) override { logs.push_back(line); }
    void ReceiptDone(Receipt) override {}
    void ProblemFound(std::size_t offset, std::string_view text, bool) override {
        problems.push_back(std::to_string(offset) + " " + std::string(text));
    }
    bool ListensForProblems() const override { return listens; }

    bool listens = true;
    std::vector<std::string> logs;
    std::vector<std::string> problems;
};

std::vector<std::uint8_t> RepeatedProblems() {
    std::vector<std::uint8_t> bytes(10000, 0x01);
    for (const auto& part : {Hex("41"), Hex("1B 72 05 1B 72 05")}) {
        bytes.insert(bytes.end(), part.begin(), part.end());
    }
    return bytes;
}

TEST(RepeatsTest, AListenerHearsEveryProblemAndTheLogIsTheSame) {
    PrinterMemory memory;
    ProblemListener listener;
    EscPosInterpreter interpreter(memory, listener);
    const std::vector<std::uint8_t> bytes = RepeatedProblems();
    interpreter.Feed(bytes.data(), bytes.size());
    interpreter.EndOfStream();
    EXPECT_EQ(listener.logs,
              (std::vector<std::string>{
                  "offset 0: unknown byte: 01 (10000 times, the last at offset 9999)",
                  "offset 10001: print colour out of range: 1B 72 05 (2 times, the last at "
                  "offset 10004)"}));
    ASSERT_EQ(listener.problems.size(), 10002u);
    EXPECT_EQ(listener.problems[9999], "9999 unknown byte: 01");
    EXPECT_EQ(listener.problems.back(), "10004 print colour out of range: 1B 72 05");
}

TEST(RepeatsTest, AnOutputThatDoesNotListenHearsNoProblemButLogsThem) {
    PrinterMemory memory;
    ProblemListener deaf;
    deaf.listens = false;
    EscPosInterpreter interpreter(memory, deaf);
    const std::vector<std::uint8_t> bytes = RepeatedProblems();
    interpreter.Feed(bytes.data(), bytes.size());
    interpreter.EndOfStream();
    EXPECT_TRUE(deaf.problems.empty());
    EXPECT_EQ(deaf.logs.size(), 2u);
}

}  // namespace
}  // namespace vprinter::test
