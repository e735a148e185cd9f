#include "virtual-printer/lib/Barcodes.h"

#include <algorithm>
#include <cctype>

#include "virtual-printer/lib/Code128.h"
#include "virtual-printer/lib/ZintBitmap.h"

namespace vprinter {
namespace {

enum class Symbology {
    UpcA,
    UpcE,
    Jan13,
    Jan8,
    Code39,
    Itf,
    Codabar,
    Code93,
    Code128,
    Unsupported
};

Symbology SymbologyOf(int m) {
    switch (m) {
        case 0:
        case 65:
            return Symbology::UpcA;
        case 1:
        case 66:
            return Symbology::UpcE;
        case 5:
        case 70:
            return Symbology::Itf;
        case 6:
        case 71:
            return Symbology::Codabar;
        case 72:
            return Symbology::Code93;
        case 2:
        case 67:
            return Symbology::Jan13;
        case 3:
        case 68:
            return Symbology::Jan8;
        case 4:
        case 69:
            return Symbology::Code39;
        case 73:
            return Symbology::Code128;
        default:
            return Symbology::Unsupported;
    }
}

struct Encoding {
    int zintSymbology = 0;
    std::string text;     // what libzint is given
    std::string problem;  // "" when the data is encoded as sent
    bool possible = true;
};

bool AllDigits(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// JAN13 takes 12 data digits and an optional check digit, JAN8 7 and UPC-A 11, each with
// an optional one. A wrong check digit cannot be put into a readable symbol: the bars
// carry the right one and the receipt says so.
Encoding EncodeJan(const std::string& name, const std::string& data, std::size_t dataDigits,
                   int zintSymbology = BARCODE_EANX) {
    Encoding encoding{zintSymbology, data.substr(0, dataDigits), "", true};
    if (!AllDigits(data) || (data.size() != dataDigits && data.size() != dataDigits + 1)) {
        encoding.possible = false;
        encoding.problem = name + " needs " + std::to_string(dataDigits) + " or " +
                           std::to_string(dataDigits + 1) + " digits, got \"" + data + "\"";
        return encoding;
    }
    const int expected = EanCheckDigit(encoding.text);
    if (data.size() == dataDigits + 1 && data.back() - '0' != expected) {
        encoding.problem = name + " check digit " + std::string(1, data.back()) +
                           " is wrong (the first " + std::to_string(dataDigits) + " digits give " +
                           std::to_string(expected) + "): printed " + encoding.text +
                           std::to_string(expected);
    }
    return encoding;
}

bool HasCodeSetSelector(const std::string& data) {
    return data.size() >= 2 && data[0] == '{' &&
           std::string("ABC").find(data[1]) != std::string::npos;
}

// CODE128 without a code set selector: a real printer may refuse it; libzint picks the
// code sets. With one, the printer's code sets are followed (DrawCode128Sets).
Encoding EncodeCode128(const std::string& data) {
    return Encoding{BARCODE_CODE128, data,
                    "CODE128 data does not start with a code set selector ({A, {B or {C); "
                    "printed with automatic code sets, a real printer may refuse it",
                    true};
}

// CODE128 in the code sets the data selects, drawn module by module: libzint chooses its
// own code sets and cannot be told which.
BarcodeDrawing DrawCode128Sets(const std::string& data, int heightDots, int moduleDots,
                               int maxWidthDots) {
    const Code128Symbol symbol = EncodeCode128Sets(data);
    BarcodeDrawing drawing{QImage(), symbol.humanReadable, symbol.problem};
    if (!symbol.problem.empty()) return drawing;
    const std::string modules = Code128Modules(symbol.values);
    const int width = static_cast<int>(modules.size());
    int module = moduleDots > 0 ? moduleDots : 3;
    while (module > 1 && width * module > maxWidthDots) --module;
    drawing.bars = DrawModules(modules, module, heightDots);
    if (width * module > maxWidthDots) {
        drawing.problem = "barcode wider than the paper, cut off at the right edge";
    } else if (module < moduleDots) {
        drawing.problem = "barcode too wide with " + std::to_string(moduleDots) +
                          "-dot modules; printed with " + std::to_string(module);
    }
    return drawing;
}

// UPC-E from its 6 digits (number system 0), 7 (number system first) or 8 (and check
// digit); the 11- and 12-digit forms are UPC-A numbers that a printer compresses itself.
Encoding EncodeUpcE(const std::string& data) {
    Encoding encoding{BARCODE_UPCE, data, "", true};
    if (!AllDigits(data) || data.size() < 6 || data.size() > 8) {
        encoding.possible = false;
        encoding.problem = "UPC-E needs 6 to 8 digits here, got \"" + data + "\"";
    }
    return encoding;
}

// CODE39 start and stop characters are the printer's: a sender's own are left out.
Encoding EncodeCode39(const std::string& data) {
    std::string text = data;
    if (!text.empty() && text.front() == '*') text.erase(0, 1);
    if (!text.empty() && text.back() == '*') text.pop_back();
    return Encoding{BARCODE_CODE39, text, "", true};
}

// CODABAR data carries its own start and stop characters (A to D, either case).
Encoding EncodeCodabar(const std::string& data) {
    std::string text = data;
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return Encoding{BARCODE_CODABAR, text, "", true};
}

Encoding EncodingFor(Symbology symbology, const std::string& data) {
    switch (symbology) {
        case Symbology::UpcA:
            return EncodeJan("UPC-A", data, 11, BARCODE_UPCA);
        case Symbology::UpcE:
            return EncodeUpcE(data);
        case Symbology::Itf:
            return Encoding{BARCODE_C25INTER, data, "", true};
        case Symbology::Codabar:
            return EncodeCodabar(data);
        case Symbology::Code93:
            return Encoding{BARCODE_CODE93, data, "", true};
        case Symbology::Jan13:
            return EncodeJan("JAN13", data, 12);
        case Symbology::Jan8:
            return EncodeJan("JAN8", data, 7);
        case Symbology::Code39:
            return EncodeCode39(data);
        case Symbology::Code128:
            return EncodeCode128(data);
        case Symbology::Unsupported:
            break;
    }
    return Encoding{0, data, "barcode type not supported by this printer", false};
}

}  // namespace

std::string BarcodeName(int m) {
    switch (SymbologyOf(m)) {
        case Symbology::UpcA:
            return "UPC-A";
        case Symbology::UpcE:
            return "UPC-E";
        case Symbology::Itf:
            return "ITF";
        case Symbology::Codabar:
            return "CODABAR";
        case Symbology::Code93:
            return "CODE93";
        case Symbology::Jan13:
            return "JAN13";
        case Symbology::Jan8:
            return "JAN8";
        case Symbology::Code39:
            return "CODE39";
        case Symbology::Code128:
            return "CODE128";
        case Symbology::Unsupported:
            break;
    }
    return "barcode type " + std::to_string(m);
}

int EanCheckDigit(const std::string& digits) {
    int sum = 0;
    int weight = 3;  // the rightmost data digit weighs 3
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        sum += (*it - '0') * weight;
        weight = 4 - weight;
    }
    return (10 - sum % 10) % 10;
}

BarcodeDrawing DrawBarcode(int m, const std::vector<std::uint8_t>& data, int heightDots,
                           int moduleDots, int maxWidthDots) {
    const std::string text(data.begin(), data.end());
    if (SymbologyOf(m) == Symbology::Code128 && HasCodeSetSelector(text)) {
        return DrawCode128Sets(text, heightDots, moduleDots, maxWidthDots);
    }
    const Encoding encoding = EncodingFor(SymbologyOf(m), text);
    BarcodeDrawing drawing{QImage(),
                           QString::fromLatin1(text.c_str(), static_cast<int>(text.size())),
                           encoding.problem};
    if (!encoding.possible) return drawing;

    std::string zintError;
    const int widest = moduleDots > 0 ? moduleDots : 3;
    for (int module = widest; module >= 1; --module) {
        ZintSymbol symbol = CreateZintSymbol();
        symbol->symbology = encoding.zintSymbology;
        symbol->scale = static_cast<float>(module) / 2.0f;  // raster: 2 pixels per scale unit
        symbol->height = static_cast<float>(heightDots) / static_cast<float>(module);
        symbol->show_hrt = 0;
        const auto* bytes = reinterpret_cast<const unsigned char*>(encoding.text.data());
        int result = ZBarcode_Encode(symbol.get(), bytes, static_cast<int>(encoding.text.size()));
        // The bars alone are `width` modules wide; the picture is never narrower. One that
        // cannot fit is not drawn, only encoded, on the way to a narrower module.
        const bool tooWide = symbol->width * module > maxWidthDots;
        if (result < ZINT_ERROR && (!tooWide || module == 1)) {
            result = ZBarcode_Buffer(symbol.get(), 0);
        }
        if (result >= ZINT_ERROR) {
            zintError = symbol->errtxt;
            break;
        }
        if (symbol->bitmap != nullptr && (symbol->bitmap_width <= maxWidthDots || module == 1)) {
            drawing.bars = ZintToGrayscale(*symbol);
            drawing.humanReadable = QString::fromUtf8(reinterpret_cast<const char*>(symbol->text));
            if (symbol->bitmap_width > maxWidthDots && drawing.problem.empty()) {
                drawing.problem = "barcode wider than the paper, cut off at the right edge";
            } else if (module < moduleDots && drawing.problem.empty()) {
                drawing.problem = "barcode too wide with " + std::to_string(moduleDots) +
                                  "-dot modules; printed with " + std::to_string(module);
            }
            return drawing;
        }
    }
    drawing.problem = BarcodeName(m) + " \"" + text + "\" cannot be encoded: " + zintError;
    return drawing;
}

}  // namespace vprinter
