#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "virtual-printer/lib/Barcodes.h"
#include "virtual-printer/lib/CodeTables.h"
#include "virtual-printer/lib/GbkDecoder.h"
#include "virtual-printer/lib/Glyphs.h"
#include "virtual-printer/lib/RecentCache.h"

namespace vprinter {

// Barcodes drawn once and reused: libzint renders every bar of a symbol in colour before
// it becomes dots, and a receipt printed again repeats its barcodes.
class BarcodeCache {
public:
    // DrawBarcode(), remembered.
    const BarcodeDrawing& Draw(int m, const std::vector<std::uint8_t>& data, int heightDots,
                               int moduleDots, int maxWidthDots);

private:
    static std::size_t DrawingBytes(const BarcodeDrawing& drawing) {
        return static_cast<std::size_t>(drawing.bars.sizeInBytes());
    }

    // By the data's bytes, then the four numbers' bytes; a barcode may be a full paper
    // width tall 255 dots, so the bytes are bounded as well as the count.
    RecentCache<std::string, BarcodeDrawing> drawings_{256, std::size_t{16} << 20, &DrawingBytes};
};

// Everything the interpreter draws, or converts to draw, that may be reused. One set may
// serve many interpreters one after another, as the fuzz target does.
struct Drawings {
    // Opening a converter loads the C library's module for it, and closing the last one
    // unloads it again: opened once, they stay open as long as the set.
    GbkDecoder gbk;
    CodeTables codeTables;
    GlyphCache glyphs;
    BarcodeCache barcodes;
};

}  // namespace vprinter
