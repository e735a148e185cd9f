#include "Drawings.h"

namespace vprinter {

const BarcodeDrawing& BarcodeCache::Draw(int m, const std::vector<std::uint8_t>& data,
                                         int heightDots, int moduleDots, int maxWidthDots) {
    return drawings_.Get(Key{m, heightDots, moduleDots, maxWidthDots, data}, [&] {
        return DrawBarcode(m, data, heightDots, moduleDots, maxWidthDots);
    });
}

}  // namespace vprinter
