// Each command builder's bytes, written out in hex apart from the builders' own spelling.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "escpos/Commands.h"
#include "escpos/HexBytes.h"
#include "escpos/ImageCommands.h"
#include "support/HexBytes.h"

namespace quillora::escpos {
namespace {

using test::ToHex;

template <std::size_t N>
std::string Text(const std::array<std::uint8_t, N>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

TEST(CommandBuildersTest, CutsFeedsAndDrawer) {
    EXPECT_EQ(ToHex(HalfCut()), "1B 6D");
    EXPECT_EQ(ToHex(FullCut()), "1D 56 00");
    EXPECT_EQ(ToHex(CutPaper()), "1B 69");
    EXPECT_EQ(ToHex(FeedLines(10)), "1B 64 0A");
    EXPECT_EQ(ToHex(FeedToBlackMark()), "1D 0C");
    EXPECT_EQ(ToHex(DrawerPulse(0, 5, 10)), "1B 39 00 05 0A");
}

TEST(CommandBuildersTest, JustificationAndCharacterSize) {
    EXPECT_EQ(ToHex(Justify(Justification::Left)), "1B 61 30");
    EXPECT_EQ(ToHex(Justify(Justification::Centre)), "1B 61 31");
    EXPECT_EQ(ToHex(Justify(Justification::Right)), "1B 61 32");
    EXPECT_EQ(ToHex(SelectCharacterSize(kNormalSize)), "1D 21 00");
    EXPECT_EQ(ToHex(SelectCharacterSize(CharacterSize(2, 3))), "1D 21 12");
    EXPECT_EQ(CharacterSize(8, 8), 0x77);
    EXPECT_THROW(CharacterSize(9, 1), std::invalid_argument);
    EXPECT_THROW(CharacterSize(1, 0), std::invalid_argument);
}

TEST(CommandBuildersTest, BarcodesInBothForms) {
    EXPECT_EQ(ToHex(BarcodeZeroEnded(Barcode::Code39, "12")), "1D 6B 04 31 32 00");
    EXPECT_EQ(ToHex(BarcodeZeroEnded(Barcode::Jan13, "1")), "1D 6B 02 31 00");
    EXPECT_EQ(ToHex(BarcodeCounted(Barcode::Code128, "123")), "1D 6B 49 03 31 32 33");
    EXPECT_EQ(ToHex(BarcodeCounted(Barcode::UpcA, "")), "1D 6B 41 00");
    EXPECT_EQ(BarcodeCounted(Barcode::Code39, std::string(255, '1')).size(), 4u + 255u);

    EXPECT_THROW(BarcodeZeroEnded(Barcode::Code93, "1"), std::invalid_argument);
    EXPECT_THROW(BarcodeZeroEnded(Barcode::Jan8, std::string("1\0"
                                                             "2",
                                                             3)),
                 std::invalid_argument);
    EXPECT_THROW(BarcodeCounted(Barcode::Code128, std::string(256, '1')), std::invalid_argument);
}

TEST(CommandBuildersTest, FunctionSwitchesAndStatusQueries) {
    EXPECT_EQ(FunctionSwitchParameter(PrinterFunction::NearEndSensor, true), 0x11);
    EXPECT_EQ(FunctionSwitchParameter(PrinterFunction::BlackMark, false), 0x20);
    EXPECT_EQ(FunctionSwitchParameter(PrinterFunction::Cutter, true), 0x31);
    EXPECT_EQ(FunctionSwitchParameter(PrinterFunction::PaperTakenSensor, false), 0x40);
    EXPECT_EQ(ToHex(SwitchFunction(0x21)), "1D 46 21");
    EXPECT_EQ(ToHex(PaperTakenStatusQuery()), "1D 46 01");
    EXPECT_EQ(ToHex(RealTimeStatusQuery(kOfflineStatus)), "10 04 02");
    EXPECT_EQ(ToHex(RealTimeStatusQuery(kPaperSensorStatus)), "10 04 04");
}

TEST(CommandBuildersTest, PictureHeaders) {
    EXPECT_EQ(ToHex(Text(NvImageDefinitionHeader(72, 113))), "1C 71 01 48 00 71 00");
    EXPECT_EQ(ToHex(Text(NvImageDefinitionHeader(0x0102, 0x0304))), "1C 71 01 02 01 04 03");
    EXPECT_EQ(ToHex(Text(PrintNvImage(1, kNvImageNormal))), "1C 70 01 30");
    EXPECT_EQ(ToHex(Text(BitImageHeader(kBitImage8DotSingle, 576))), "1B 2A 00 40 02");
}

TEST(CommandBuildersTest, StatusRequestsAndPrinterId) {
    EXPECT_EQ(ToHex(RealTimeStatusQuery(kPrinterStatus)), "10 04 01");
    EXPECT_EQ(ToHex(RealTimeStatusQuery(kErrorStatus)), "10 04 03");
    EXPECT_EQ(ToHex(PrinterIdQuery(kModelName)), "1D 49 43");
    EXPECT_EQ(ToHex(PrinterIdQuery(kFirmwareVersion)), "1D 49 41");
    EXPECT_EQ(ToHex(AutomaticStatusBack(kAllStatusItems)), "1D 61 0F");
    EXPECT_EQ(ToHex(AutomaticStatusBack(0)), "1D 61 00");
}

TEST(CommandBuildersTest, QrCodeAndPdf417) {
    EXPECT_EQ(ToHex(QrSelectModel(2)), "1D 28 6B 04 00 31 41 32 00");
    EXPECT_EQ(ToHex(QrModuleSize(8)), "1D 28 6B 03 00 31 43 08");
    EXPECT_EQ(ToHex(QrErrorCorrection(QrErrorLevel::Q)), "1D 28 6B 03 00 31 45 32");
    EXPECT_EQ(ToHex(QrStore("AB")), "1D 28 6B 05 00 31 50 30 41 42");
    EXPECT_EQ(ToHex(QrPrint()), "1D 28 6B 03 00 31 51 30");
    EXPECT_EQ(ToHex(QrStore(std::string(300, 'x')).substr(0, 7)), "1D 28 6B 2F 01 31 50");
    EXPECT_EQ(ToHex(Pdf417Columns(0)), "1D 28 6B 03 00 30 41 00");
    EXPECT_EQ(ToHex(Pdf417Rows(90)), "1D 28 6B 03 00 30 42 5A");
    EXPECT_EQ(ToHex(Pdf417ModuleWidth(3)), "1D 28 6B 03 00 30 43 03");
    EXPECT_EQ(ToHex(Pdf417RowHeight(8)), "1D 28 6B 03 00 30 44 08");
    EXPECT_EQ(ToHex(Pdf417ErrorLevel(2)), "1D 28 6B 04 00 30 45 30 32");
    EXPECT_EQ(ToHex(Pdf417Store("1")), "1D 28 6B 04 00 30 50 30 31");
    EXPECT_EQ(ToHex(Pdf417Print()), "1D 28 6B 03 00 30 51 30");
    EXPECT_THROW(QrSelectModel(3), std::invalid_argument);
    EXPECT_THROW(QrModuleSize(17), std::invalid_argument);
    EXPECT_THROW(Pdf417Rows(2), std::invalid_argument);
    EXPECT_THROW(Pdf417ErrorLevel(9), std::invalid_argument);
    EXPECT_THROW(QrStore(std::string(kMaxSymbolData + 1, 'x')), std::invalid_argument);
}

TEST(HexBytesTest, LowerCaseDigitPairsSeparatedBySpaces) {
    const std::uint8_t bytes[] = {0x1B, 0x40, 0x00, 0xFF, 0x0A};
    EXPECT_EQ(HexBytes(bytes, sizeof bytes), "1b 40 00 ff 0a");
    EXPECT_EQ(HexBytes(bytes, 1), "1b");
    EXPECT_EQ(HexBytes(bytes, 0), "");
}

}  // namespace
}  // namespace quillora::escpos
