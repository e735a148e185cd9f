#include "escpos/Commands.h"

#include <initializer_list>

#include "escpos/ControlCodes.h"

namespace quillora::escpos {
namespace {

std::string Command(std::initializer_list<std::uint8_t> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// GS ( k pL pH cn fn [parameters]: pL pH count cn, fn and the parameters.
constexpr std::uint8_t kQrCode = 49;
constexpr std::uint8_t kPdf417 = 48;
std::string Symbol(std::uint8_t cn, std::uint8_t fn, std::string_view parameters) {
    if (parameters.size() > kMaxSymbolData + 1) {
        throw std::invalid_argument("GS ( k carries at most 65532 bytes of data");
    }
    const std::size_t count = parameters.size() + 2;
    std::string command =
        Command({kGs, '(', 'k', std::uint8_t(count & 0xFF), std::uint8_t(count >> 8), cn, fn});
    return command.append(parameters);
}
std::string Parameter(std::uint8_t n) {
    return std::string(1, char(n));
}
std::string InRange(std::uint8_t value, std::uint8_t low, std::uint8_t high, const char* what) {
    if (value < low || value > high) throw std::invalid_argument(what);
    return Parameter(value);
}
// fn 'P' m=48: store the data; fn 'Q' m=48: print what is stored.
constexpr char kStoreThenData = '0';

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

std::string PrinterIdQuery(std::uint8_t n) {
    return Command({kGs, 'I', n});
}
std::string AutomaticStatusBack(std::uint8_t n) {
    return Command({kGs, 'a', n});
}

std::string QrSelectModel(std::uint8_t model) {
    return Symbol(kQrCode, 'A',
                  InRange(std::uint8_t(model + 48), 49, 50, "QR model is 1 or 2") + Parameter(0));
}
std::string QrModuleSize(std::uint8_t dots) {
    return Symbol(kQrCode, 'C', InRange(dots, 1, 16, "QR module size is 1 to 16"));
}
std::string QrErrorCorrection(QrErrorLevel level) {
    return Symbol(kQrCode, 'E', Parameter(std::uint8_t(level)));
}
std::string QrStore(std::string_view data) {
    return Symbol(kQrCode, 'P', kStoreThenData + std::string(data));
}
std::string QrPrint() {
    return Symbol(kQrCode, 'Q', std::string(1, kStoreThenData));
}

std::string Pdf417Columns(std::uint8_t columns) {
    return Symbol(kPdf417, 'A', InRange(columns, 0, 30, "PDF417 columns are 0 to 30"));
}
std::string Pdf417Rows(std::uint8_t rows) {
    if (rows != 0 && (rows < 3 || rows > 90)) {
        throw std::invalid_argument("PDF417 rows are 0 or 3 to 90");
    }
    return Symbol(kPdf417, 'B', Parameter(rows));
}
std::string Pdf417ModuleWidth(std::uint8_t dots) {
    return Symbol(kPdf417, 'C', InRange(dots, 2, 8, "PDF417 module width is 2 to 8"));
}
std::string Pdf417RowHeight(std::uint8_t times) {
    return Symbol(kPdf417, 'D', InRange(times, 2, 8, "PDF417 row height is 2 to 8"));
}
std::string Pdf417ErrorLevel(std::uint8_t level) {
    // m = 48: the level itself, as 48 + level.
    return Symbol(
        kPdf417, 'E',
        Parameter(48) + InRange(std::uint8_t(48 + level), 48, 56, "PDF417 error level is 0 to 8"));
}
std::string Pdf417Store(std::string_view data) {
    return Symbol(kPdf417, 'P', kStoreThenData + std::string(data));
}
std::string Pdf417Print() {
    return Symbol(kPdf417, 'Q', std::string(1, kStoreThenData));
}

}  // namespace quillora::escpos
