#include "virtual-printer/lib/ZintBitmap.h"

namespace vprinter {

QImage ZintToGrayscale(const zint_symbol& symbol) {
    QImage image(symbol.bitmap_width, symbol.bitmap_height, QImage::Format_Grayscale8);
    const unsigned char* rgb = symbol.bitmap;
    for (int y = 0; y < symbol.bitmap_height; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < symbol.bitmap_width; ++x, rgb += 3) line[x] = rgb[0] < 128 ? 0 : 255;
    }
    return image;
}

}  // namespace vprinter
