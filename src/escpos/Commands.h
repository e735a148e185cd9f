#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

// Named builders for the commands the program sends, each command's bytes spelled once.
// A command is a byte string whose size is its length: a zero byte it ends in (a barcode's
// terminator, a size parameter 0) is part of the string. Builders that take sizes throw
// std::invalid_argument for what the command cannot carry.
namespace quillora::escpos {

std::string HalfCut();   // ESC m
std::string FullCut();   // GS V 0
std::string CutPaper();  // ESC i: the one-letter cut that ends a fatigue-run copy

std::string FeedLines(std::uint8_t lines);  // ESC d n
std::string FeedToBlackMark();              // GS FF

// ESC 9 m t1 t2: this model's drawer pulse, not ESC p.
std::string DrawerPulse(std::uint8_t m, std::uint8_t t1, std::uint8_t t2);

// ESC a n, n the digit character, as this program has always sent it.
enum class Justification : char { Left = '0', Centre = '1', Right = '2' };
std::string Justify(Justification justification);

// GS ! n: n = (width factor - 1) << 4 | (height factor - 1).
std::string SelectCharacterSize(std::uint8_t n);
inline constexpr std::uint8_t kNormalSize = 0;
// The n of GS ! for factors 1 to 8.
constexpr std::uint8_t CharacterSize(int widthTimes, int heightTimes) {
    if (widthTimes < 1 || widthTimes > 8 || heightTimes < 1 || heightTimes > 8) {
        throw std::invalid_argument("character size factors are 1 to 8");
    }
    return std::uint8_t((widthTimes - 1) << 4 | (heightTimes - 1));
}

// GS k: the symbologies in the order of their m in the zero-ended form (0 to 6); the
// counted form's m is 65 plus the same number (65 to 73).
enum class Barcode : std::uint8_t {
    UpcA,
    UpcE,
    Jan13,
    Jan8,
    Code39,
    Itf,
    Codabar,
    Code93,
    Code128
};
// GS k m d1...dk NUL: UPC-A to CODABAR only; the data holds no zero byte.
std::string BarcodeZeroEnded(Barcode barcode, std::string_view data);
// GS k m n d1...dn: at most 255 bytes of data.
std::string BarcodeCounted(Barcode barcode, std::string_view data);

// GS F n: switches one printer function; the function in the high nibble, 1 = on.
enum class PrinterFunction : std::uint8_t {
    NearEndSensor = 1,
    BlackMark = 2,
    Cutter = 3,
    PaperTakenSensor = 4
};
constexpr std::uint8_t FunctionSwitchParameter(PrinterFunction function, bool on) {
    return std::uint8_t(std::uint8_t(function) << 4 | (on ? 1 : 0));
}
std::string SwitchFunction(std::uint8_t n);

// GS F 1 asks for the paper-taken sensor: one reply byte.
inline constexpr std::uint8_t kPaperTakenStatus = 0x01;
std::string PaperTakenStatusQuery();

// DLE EOT n: real-time status, one reply byte.
inline constexpr std::uint8_t kPrinterStatus = 1;      // online, drawer pin
inline constexpr std::uint8_t kOfflineStatus = 2;      // cover, offline causes
inline constexpr std::uint8_t kErrorStatus = 3;        // cutter, (un)recoverable errors
inline constexpr std::uint8_t kPaperSensorStatus = 4;  // paper near end, paper out
std::string RealTimeStatusQuery(std::uint8_t n);

// GS I n: printer ID. 1 to 3 answer one byte; 65 to 69 answer "_", a text and NUL.
inline constexpr std::uint8_t kModelId = 1;
inline constexpr std::uint8_t kTypeId = 2;
inline constexpr std::uint8_t kFirmwareVersion = 65;
inline constexpr std::uint8_t kMakerName = 66;
inline constexpr std::uint8_t kModelName = 67;
inline constexpr std::uint8_t kSerialNumber = 68;
std::string PrinterIdQuery(std::uint8_t n);

// GS a n: automatic status back for the items set in n (bit 0 drawer, 1 online/offline,
// 2 errors, 3 paper roll); 0 turns it off.
inline constexpr std::uint8_t kAllStatusItems = 0x0F;
std::string AutomaticStatusBack(std::uint8_t n);

// GS ( k: 2D codes. The stored data is at most kMaxSymbolData bytes.
inline constexpr std::size_t kMaxSymbolData = 65532;

// QR code: model 1 or 2, module size 1 to 16 dots, error level L M Q H.
enum class QrErrorLevel : std::uint8_t { L = 48, M = 49, Q = 50, H = 51 };
std::string QrSelectModel(std::uint8_t model);
std::string QrModuleSize(std::uint8_t dots);
std::string QrErrorCorrection(QrErrorLevel level);
std::string QrStore(std::string_view data);
std::string QrPrint();

// PDF417: columns 0 (automatic) to 30, rows 0 (automatic) or 3 to 90, module width 2 to 8,
// row height 2 to 8 times the width, error level 0 to 8.
std::string Pdf417Columns(std::uint8_t columns);
std::string Pdf417Rows(std::uint8_t rows);
std::string Pdf417ModuleWidth(std::uint8_t dots);
std::string Pdf417RowHeight(std::uint8_t times);
std::string Pdf417ErrorLevel(std::uint8_t level);
std::string Pdf417Store(std::string_view data);
std::string Pdf417Print();

}  // namespace quillora::escpos
