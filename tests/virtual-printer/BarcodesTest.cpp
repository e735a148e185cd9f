// Barcodes on the paper, read back by an independent reader (zbarimg).
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "PrinterHarness.h"

namespace vprinter::test {
namespace {

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

}  // namespace
}  // namespace vprinter::test
