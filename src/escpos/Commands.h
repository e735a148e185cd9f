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
inline constexpr std::uint8_t kOfflineStatus = 2;      // cover, offline causes
inline constexpr std::uint8_t kPaperSensorStatus = 4;  // paper near end, paper out
std::string RealTimeStatusQuery(std::uint8_t n);

}  // namespace quillora::escpos
