// Barcodes on the paper, read back by an independent reader (zbarimg).
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "Barcodes.h"
#include "PrinterHarness.h"

namespace vprinter::test {
namespace {

QStringList PrintAndDecode(const std::vector<std::uint8_t>& bytes, InterpreterRig& rig) {
    const Receipt& receipt = rig.PrintAll(bytes);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("barcode.png"));
    EXPECT_TRUE(receipt.paper.save(path));
    QStringList decoded = DecodeBarcodes(path);
    decoded.sort();
    return decoded;
}

TEST(BarcodeTest, Code39AndCountedCode128DecodeToTheirData) {
    InterpreterRig rig;
    // CODE39 "123456" zero-terminated; CODE128 "{B" + "AB12" counted.
    EXPECT_EQ(PrintAndDecode(Hex("1D 6B 04 31 32 33 34 35 36 00"
                                 "1D 6B 49 06 7B 42 41 42 31 32"),
                             rig),
              (QStringList{QStringLiteral("CODE-128:AB12"), QStringLiteral("CODE-39:123456")}));
    EXPECT_TRUE(rig.output.logs.empty());
}

TEST(BarcodeTest, Code128WithoutCodeSetSelectorIsPrintedAndFlagged) {
    InterpreterRig rig;
    EXPECT_EQ(PrintAndDecode(Hex("1D 6B 49 0D 31 32 33 34 35 36 37 38 39 30 31 32 33"), rig),
              QStringList{QStringLiteral("CODE-128:1234567890123")});
    EXPECT_TRUE(
        rig.output.Logged("offset 0: CODE128 data does not start with a code set selector"));
}

TEST(BarcodeTest, JanWithARightCheckDigitDecodesAsSent) {
    InterpreterRig rig;
    EXPECT_EQ(
        PrintAndDecode(Hex("1D 6B 02 34 30 30 36 33 38 31 33 33 33 39 33 31 00"
                           "1D 6B 03 31 32 33 34 35 36 37 00"),
                       rig),
        (QStringList{QStringLiteral("EAN-13:4006381333931"), QStringLiteral("EAN-8:12345670")}));
    EXPECT_TRUE(rig.output.logs.empty());
}

TEST(BarcodeTest, JanWithAWrongCheckDigitCarriesTheRightOneAndSaysSo) {
    // No reader accepts a JAN symbol whose check digit is wrong, so the bars carry the
    // right one and the receipt and the log say what was sent.
    InterpreterRig rig;
    EXPECT_EQ(
        PrintAndDecode(Hex("1D 6B 02 31 32 33 34 35 36 37 38 39 30 31 32 33 00"
                           "1D 6B 03 31 32 33 34 35 36 37 38 00"),
                       rig),
        (QStringList{QStringLiteral("EAN-13:1234567890128"), QStringLiteral("EAN-8:12345670")}));
    EXPECT_TRUE(
        rig.output.Logged("offset 0: JAN13 check digit 3 is wrong (the first 12 digits give 8): "
                          "printed 1234567890128"));
    EXPECT_TRUE(rig.output.Logged(
        "offset 17: JAN8 check digit 8 is wrong (the first 7 digits give 0): printed 12345670"));
    EXPECT_EQ(rig.output.receipts.back().problems, 2);
}

TEST(BarcodeTest, DataThatCannotBeEncodedIsReportedWithoutBars) {
    InterpreterRig rig;
    const Receipt& receipt =
        rig.PrintAll(Hex("1D 6B 02 31 32 33 00 1D 6B 04 21 00 1D 6B 06 31 00"));
    EXPECT_TRUE(rig.output.Logged("offset 0: JAN13 needs 12 or 13 digits, got \"123\""));
    EXPECT_TRUE(rig.output.Logged("offset 7: CODE39 \"!\" cannot be encoded"));
    EXPECT_TRUE(rig.output.Logged("offset 12: barcode type not supported by this printer"));
    EXPECT_EQ(receipt.problems, 3);
}

TEST(BarcodeTest, EanCheckDigits) {
    EXPECT_EQ(EanCheckDigit("123456789012"), 8);
    EXPECT_EQ(EanCheckDigit("400638133393"), 1);
    EXPECT_EQ(EanCheckDigit("1234567"), 0);
    EXPECT_EQ(EanCheckDigit("9638507"), 4);
}

}  // namespace
}  // namespace vprinter::test
