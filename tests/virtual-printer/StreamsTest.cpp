// What point-of-sale code sends beyond the basics: CODE128 in its code sets, the second
// print colour, UTF-8, national character sets and code tables, commands of clone printers
// that are not ESC/POS, stray NULs, and where one receipt ends and the next begins.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "escpos/EscPosFraming.h"
#include "virtual-printer/PrinterHarness.h"
#include "virtual-printer/lib/Code128.h"

namespace vprinter::test {
namespace {

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// GS k 73 with `data`, then LF.
std::vector<std::uint8_t> Code128(const std::string& data) {
    auto bytes = Hex("1D 6B 49");
    bytes.push_back(static_cast<std::uint8_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    bytes.push_back('\n');
    return bytes;
}

// What zbarimg reads on the receipt's picture.
QStringList Read(const Receipt& receipt) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("receipt.png"));
    EXPECT_TRUE(receipt.paper.Picture().save(path));
    return DecodeBarcodes(path);
}

TEST(Code128SetsTest, EachCodeSetAndSwitchReadsBackAsItsCharacters) {
    const std::pair<std::string, const char*> cases[] = {
        {std::string("{C\x0c\x22\x38", 5), "CODE-128:123456"},
        {std::string("{BINV{C\x14\x18{B-{C\x00\x2a", 16), "CODE-128:INV2024-0042"},
        {std::string("{C\x0c\x22{B5", 7), "CODE-128:12345"},  // an odd count of digits
        {std::string("{AAB{Sc{B{{", 11), "CODE-128:ABc{"},    // a shift and a brace
    };
    for (const auto& [data, reading] : cases) {
        InterpreterRig rig;
        const Receipt& receipt = rig.PrintAll(Code128(data));
        EXPECT_EQ(receipt.problems, 0) << data;
        EXPECT_EQ(Read(receipt), QStringList{QString::fromLatin1(reading)}) << data;
    }
}

TEST(Code128SetsTest, CodeSetCTakesOneValuePerPairOfDigitsAndFnc1ItsOwnValue) {
    const Code128Symbol digits = EncodeCode128Sets(std::string("{C\x0c\x22\x38", 5));
    EXPECT_EQ(digits.values, (std::vector<int>{105, 12, 34, 56}));
    EXPECT_EQ(digits.humanReadable, QStringLiteral("123456"));

    // GS1-128: start C, FNC1, 01, 02; check (105 + 102 + 2*1 + 3*2) % 103 = 9.
    const Code128Symbol gs1 = EncodeCode128Sets(std::string("{C{1\x01\x02", 6));
    ASSERT_EQ(gs1.values, (std::vector<int>{105, 102, 1, 2}));
    std::string expected;
    for (const char* widths : {"211232", "411131", "222122", "222221", "221213", "2331112"}) {
        for (int i = 0; widths[i] != '\0'; ++i) expected.append(widths[i] - '0', i % 2 ? '0' : '1');
    }
    EXPECT_EQ(Code128Modules(gs1.values), expected);

    EXPECT_EQ(EncodeCode128Sets(std::string("{C\x64", 3)).problem,
              "CODE128 byte 64 is not a pair of digits in {C");
}

TEST(Code128SetsTest, DigitsShowUnderTheBarsAndDataWithoutASetIsStillLogged) {
    InterpreterRig rig;
    const QImage paper = rig.PrintAll(Code128(std::string("{C\x0c\x22\x38", 5))).paper.Picture();
    InterpreterRig text;
    const QImage digits = text.PrintAll(Bytes("123456\n\n")).paper.Picture();
    // The text line under the bars is the digits' line.
    EXPECT_EQ(paper.copy(0, paper.height() - digits.height(), digits.width(), digits.height()),
              digits);

    InterpreterRig plain;
    EXPECT_EQ(plain.PrintAll(Code128("ABC")).problems, 1);
    EXPECT_TRUE(plain.output.Logged("does not start with a code set selector"));
}

int Count(const QImage& picture, QRgb colour) {
    int count = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) count += picture.pixel(x, y) == colour;
    }
    return count;
}

TEST(PrintColourTest, TheSecondColourIsRedAndEscR0IsBlackAgain) {
    InterpreterRig rig;
    const QImage paper = rig.PrintAll(Hex("1B 72 01 48 1B 72 00 48 0A")).paper.Picture();
    InterpreterRig black;
    const QImage once = black.PrintAll(Hex("48 0A")).paper.Picture();
    const int dots = Count(once, qRgb(0, 0, 0));
    EXPECT_EQ(Count(paper, qRgb(255, 0, 0)), dots);
    EXPECT_EQ(Count(paper, qRgb(0, 0, 0)), dots);
    // The first cell red, the second black.
    EXPECT_EQ(Count(paper.copy(0, 0, 12, paper.height()), qRgb(255, 0, 0)), dots);
    EXPECT_EQ(rig.output.receipts.back().problems, 0);
}

TEST(CharactersTest, Utf8NationalSetsAndCodeTablesPrintTheirCharacters) {
    const auto same = [](const std::string& first, const std::string& second) {
        InterpreterRig a;
        InterpreterRig b;
        const Receipt& left = a.PrintAll(Hex(first));
        const Receipt& right = b.PrintAll(Hex(second));
        EXPECT_EQ(left.problems + right.problems, 0) << first;
        return left.paper.Picture() == right.paper.Picture();
    };
    // 中文 in UTF-8 after FS ( C, and in GBK; then back to one-byte characters.
    EXPECT_TRUE(same("1C 28 43 02 00 30 02 E4 B8 AD E6 96 87 0A", "D6 D0 CE C4 0A"));
    EXPECT_TRUE(same("1C 28 43 02 00 30 02 41 1C 28 43 02 00 30 01 1C 2E C4 0A", "1C 2E 41 C4 0A"));
    // ESC R 2 (Germany): [ is Ä, as C4 of WPC1252.
    EXPECT_TRUE(same("1B 52 02 5B 0A", "1B 74 10 C4 0A"));
    // ESC t 15 (ISO 8859-7): E1 is alpha.
    EXPECT_TRUE(same("1B 74 0F E1 0A", "1C 28 43 02 00 30 02 CE B1 0A"));
}

TEST(CharactersTest, ATableThatCannotBeRenderedIsReportedOncePerSelection) {
    InterpreterRig rig;
    const Receipt& receipt = rig.PrintAll(Hex("1B 74 29 80 81 82 83 0A 1B 74 63 80 0A"));
    EXPECT_EQ(receipt.problems, 2);
    EXPECT_TRUE(rig.output.Logged("code table 41 (CP1098) cannot be rendered here; table 0 stays"));
    EXPECT_TRUE(rig.output.Logged("code table 99 is not built into this printer; table 0 stays"));
}

TEST(ForeignCommandsTest, CloneCommandsAndNulsLeaveNoMarkAndOneLineEach) {
    InterpreterRig rig;
    const Receipt& receipt = rig.PrintAll(
        Hex("00 1B 34 01 41 1B 35 00 00 1D 78 02 1D 5A 02 1B 5A 00 00 00 03 00 61 62 63 42 0A"));
    InterpreterRig plain;
    EXPECT_EQ(receipt.paper.Picture(), plain.PrintAll(Hex("41 42 0A")).paper.Picture());
    EXPECT_EQ(receipt.problems, 0);
    const auto foreign =
        std::count_if(rig.output.logs.begin(), rig.output.logs.end(), [](auto& line) {
            return line.find("a strict ESC/POS printer does not know it") != line.npos;
        });
    EXPECT_EQ(foreign, 5);
    EXPECT_TRUE(rig.output.Logged("offset 9: GS x of clone printers is not ESC/POS"));

    // An unknown command's control bytes after it are its parameters: one mark in all.
    InterpreterRig unknown;
    InterpreterRig one;
    EXPECT_EQ(unknown.PrintAll(Hex("1B 01 02 03 41 0A")).paper.Picture(),
              one.PrintAll(Hex("1B 01 41 0A")).paper.Picture());
    EXPECT_EQ(unknown.output.receipts.back().problems, 1);
}

TEST(ReceiptEndTest, FeedsAfterACutCarryIntoTheNextReceiptAndMakeNoneOfTheirOwn) {
    InterpreterRig rig;
    rig.Feed(Hex("41 0A 1D 56 00 1B 40 0A"));
    rig.interpreter.EndOfStream();
    ASSERT_EQ(rig.output.receipts.size(), 1u);
    EXPECT_TRUE(rig.output.Logged("3 bytes received, nothing printed"));
    const QImage next = rig.PrintAll(Hex("41 0A")).paper.Picture();
    ASSERT_EQ(rig.output.receipts.size(), 2u);
    InterpreterRig fresh;
    const QImage alone = fresh.PrintAll(Hex("41 0A")).paper.Picture();
    EXPECT_EQ(InkBox(next), InkBox(alone).translated(0, PrintModes::kDefaultLineSpacing));
}

TEST(ForeignCommandsTest, FramingSkipsTheirParameters) {
    using quillora::escpos::CommandLength;
    const auto length = [](const std::string& hex) {
        const auto bytes = Hex(hex);
        return CommandLength(bytes.data(), bytes.size());
    };
    EXPECT_EQ(length("1B 34 01 41"), 3u);
    EXPECT_EQ(length("1B 35 00"), 3u);
    EXPECT_EQ(length("1D 78 02"), 3u);
    EXPECT_EQ(length("1D 5A 02"), 3u);
    EXPECT_EQ(length("1B 5A 00 00 00 03 00 61 62 63 0A"), 10u);
    EXPECT_EQ(length("1B 5A 00 00 00 03 00 61"), std::nullopt);
    EXPECT_EQ(length("1B 72 01"), 3u);
    EXPECT_EQ(length("1C 28 43 02 00 30 02"), 7u);
}

}  // namespace
}  // namespace vprinter::test
