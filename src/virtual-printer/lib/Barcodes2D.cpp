#include "virtual-printer/lib/Barcodes2D.h"

#include <zint.h>

#include <memory>

#include "virtual-printer/lib/ZintBitmap.h"

namespace vprinter {
namespace {

SymbolDrawing Encode(zint_symbol& symbol, const std::vector<std::uint8_t>& data,
                     const std::string& name, int maxWidthDots) {
    SymbolDrawing drawing;
    if (data.empty()) {
        drawing.problem = name + " printed without data stored";
        return drawing;
    }
    const int result =
        ZBarcode_Encode_and_Buffer(&symbol, data.data(), static_cast<int>(data.size()), 0);
    if (result >= ZINT_ERROR) {
        drawing.problem = name + " cannot be encoded: " + std::string(symbol.errtxt);
        return drawing;
    }
    drawing.image = ZintToGrayscale(symbol);
    if (drawing.image.width() > maxWidthDots) {
        drawing.problem = name + " wider than the print area, cut off at the right edge";
    }
    return drawing;
}

}  // namespace

SymbolDrawing DrawQrCode(const QrCode& code, int maxWidthDots) {
    ZintSymbol symbol = CreateZintSymbol();
    symbol->symbology = code.model == 51 ? BARCODE_MICROQR : BARCODE_QRCODE;
    symbol->option_1 = code.errorLevel - 48 + 1;                 // zint: 1 L, 2 M, 3 Q, 4 H
    symbol->scale = static_cast<float>(code.moduleDots) / 2.0f;  // 2 pixels per scale unit
    SymbolDrawing drawing = Encode(*symbol, code.data, "QR code", maxWidthDots);
    if (code.model == 49 && drawing.problem.empty()) {
        drawing.problem = "QR code model 1 drawn as model 2 (libzint draws no model 1)";
    }
    return drawing;
}

SymbolDrawing DrawPdf417(const Pdf417Code& code, int maxWidthDots) {
    ZintSymbol symbol = CreateZintSymbol();
    symbol->symbology = code.truncated ? BARCODE_PDF417COMP : BARCODE_PDF417;
    symbol->option_1 = code.errorLevel;
    symbol->option_2 = code.columns;
    symbol->option_3 = code.rows;
    symbol->scale = static_cast<float>(code.moduleDots) / 2.0f;
    symbol->height = 0;  // zint sizes the rows
    return Encode(*symbol, code.data, "PDF417", maxWidthDots);
}

}  // namespace vprinter
