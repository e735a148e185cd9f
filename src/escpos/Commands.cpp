#include "escpos/Commands.h"

#include <initializer_list>

#include "escpos/ControlCodes.h"

namespace quillora::escpos {
namespace {

std::string Command(std::initializer_list<std::uint8_t> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

constexpr std::uint8_t kFirstCountedBarcode = 65;
constexpr std::size_t kMaxCountedBarcodeData = 255;

}  // namespace

std::string HalfCut() {
    return Command({kEsc, 'm'});
}
std::string FullCut() {
    return Command({kGs, 'V', 0});
}
std::string CutPaper() {
    return Command({kEsc, 'i'});
}

std::string FeedLines(std::uint8_t lines) {
    return Command({kEsc, 'd', lines});
}
std::string FeedToBlackMark() {
    return Command({kGs, kFf});
}

std::string DrawerPulse(std::uint8_t m, std::uint8_t t1, std::uint8_t t2) {
    return Command({kEsc, '9', m, t1, t2});
}

std::string Justify(Justification justification) {
    return Command({kEsc, 'a', std::uint8_t(justification)});
}

std::string SelectCharacterSize(std::uint8_t n) {
    return Command({kGs, '!', n});
}

std::string BarcodeZeroEnded(Barcode barcode, std::string_view data) {
    if (barcode > Barcode::Codabar) {
        throw std::invalid_argument("GS k: only UPC-A to CODABAR have a zero-ended form");
    }
    if (data.find('\0') != std::string_view::npos) {
        throw std::invalid_argument("GS k: zero-ended data holds no zero byte");
    }
    std::string command = Command({kGs, 'k', std::uint8_t(barcode)});
    command += data;
    command += '\0';
    return command;
}

std::string BarcodeCounted(Barcode barcode, std::string_view data) {
    if (data.size() > kMaxCountedBarcodeData) {
        throw std::invalid_argument("GS k: counted data is at most 255 bytes");
    }
    std::string command =
        Command({kGs, 'k', std::uint8_t(kFirstCountedBarcode + std::uint8_t(barcode)),
                 std::uint8_t(data.size())});
    command += data;
    return command;
}

std::string SwitchFunction(std::uint8_t n) {
    return Command({kGs, 'F', n});
}
std::string PaperTakenStatusQuery() {
    return SwitchFunction(kPaperTakenStatus);
}

std::string RealTimeStatusQuery(std::uint8_t n) {
    return Command({kDle, kEot, n});
}

}  // namespace quillora::escpos
