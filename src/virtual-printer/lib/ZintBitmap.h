#pragma once

#include <zint.h>

#include <QImage>
#include <memory>

namespace vprinter {

using ZintSymbol = std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)>;

inline ZintSymbol CreateZintSymbol() {
    return ZintSymbol(ZBarcode_Create(), &ZBarcode_Delete);
}

// libzint's raster (RGB, black and white only) as dots.
QImage ZintToGrayscale(const zint_symbol& symbol);

}  // namespace vprinter
