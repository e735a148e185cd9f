#include "Barcodes.h"

#include <zint.h>

#include <algorithm>
#include <memory>

#include "Paper.h"

namespace vprinter {
namespace {

enum class Symbology { Jan13, Jan8, Code39, Code128, Unsupported };

Symbology SymbologyOf(int m) {
    switch (m) {
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

// JAN13 takes 12 data digits and an optional check digit, JAN8 7 and an optional one. A
// wrong check digit cannot be put into a readable symbol: the bars carry the right one and
// the receipt says so.
Encoding EncodeJan(const std::string& name, const std::string& data, std::size_t dataDigits) {
    Encoding encoding{BARCODE_EANX, data.substr(0, dataDigits), "", true};
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

// Code set selectors ({A, {B, {C) and shifts are the printer's business: libzint picks the
// code sets itself, so only the characters are passed on.
Encoding EncodeCode128(const std::string& data) {
    Encoding encoding{BARCODE_CODE128, "", "", true};
    const bool selected =
        data.size() >= 2 && data[0] == '{' && std::string("ABC").find(data[1]) != std::string::npos;
    if (!selected) {
        encoding.problem =
            "CODE128 data does not start with a code set selector ({A, {B or {C); printed "
            "with automatic code sets, a real printer may refuse it";
        encoding.text = data;
        return encoding;
    }
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (data[i] != '{' || i + 1 == data.size()) {
            encoding.text += data[i];
            continue;
        }
        ++i;
        if (data[i] == '{') encoding.text += '{';
    }
    return encoding;
}

Encoding EncodingFor(Symbology symbology, const std::string& data) {
    switch (symbology) {
        case Symbology::Jan13:
            return EncodeJan("JAN13", data, 12);
        case Symbology::Jan8:
            return EncodeJan("JAN8", data, 7);
        case Symbology::Code39:
            return Encoding{BARCODE_CODE39, data, "", true};
        case Symbology::Code128:
            return EncodeCode128(data);
        case Symbology::Unsupported:
            break;
    }
    return Encoding{0, data, "barcode type not supported by this printer", false};
}

using SymbolPtr = std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)>;

QImage ToGrayscale(const zint_symbol& symbol) {
    QImage image(symbol.bitmap_width, symbol.bitmap_height, QImage::Format_Grayscale8);
    const unsigned char* rgb = symbol.bitmap;
    for (int y = 0; y < symbol.bitmap_height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < symbol.bitmap_width; ++x, rgb += 3) line[x] = rgb[0] < 128 ? 0 : 255;
    }
    return image;
}

}  // namespace

std::string BarcodeName(int m) {
    switch (SymbologyOf(m)) {
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

BarcodeDrawing DrawBarcode(int m, const std::vector<std::uint8_t>& data, int heightDots) {
    const std::string text(data.begin(), data.end());
    const Encoding encoding = EncodingFor(SymbologyOf(m), text);
    BarcodeDrawing drawing{QImage(),
                           QString::fromLatin1(text.c_str(), static_cast<int>(text.size())),
                           encoding.problem};
    if (!encoding.possible) return drawing;

    std::string zintError;
    for (int module = 3; module >= 1; --module) {
        SymbolPtr symbol(ZBarcode_Create(), &ZBarcode_Delete);
        symbol->symbology = encoding.zintSymbology;
        symbol->scale = static_cast<float>(module) / 2.0f;  // raster: 2 pixels per scale unit
        symbol->height = static_cast<float>(heightDots) / static_cast<float>(module);
        symbol->show_hrt = 0;
        const auto* bytes = reinterpret_cast<const unsigned char*>(encoding.text.data());
        const int result = ZBarcode_Encode_and_Buffer(symbol.get(), bytes,
                                                      static_cast<int>(encoding.text.size()), 0);
        if (result >= ZINT_ERROR) {
            zintError = symbol->errtxt;
            break;
        }
        if (symbol->bitmap_width <= Paper::kWidthDots || module == 1) {
            drawing.bars = ToGrayscale(*symbol);
            drawing.humanReadable = QString::fromUtf8(reinterpret_cast<const char*>(symbol->text));
            if (symbol->bitmap_width > Paper::kWidthDots && drawing.problem.empty()) {
                drawing.problem = "barcode wider than the paper, cut off at the right edge";
            }
            return drawing;
        }
    }
    drawing.problem = BarcodeName(m) + " \"" + text + "\" cannot be encoded: " + zintError;
    return drawing;
}

}  // namespace vprinter
