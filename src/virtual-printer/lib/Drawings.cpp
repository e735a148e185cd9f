#include "virtual-printer/lib/Drawings.h"

namespace vprinter {

const BarcodeDrawing& BarcodeCache::Draw(int m, const std::vector<std::uint8_t>& data,
                                         int heightDots, int moduleDots, int maxWidthDots) {
    std::string key(data.begin(), data.end());
    for (const int number : {m, heightDots, moduleDots, maxWidthDots}) {
        key.append(reinterpret_cast<const char*>(&number), sizeof number);
    }
    return drawings_.Get(
        key, [&] { return DrawBarcode(m, data, heightDots, moduleDots, maxWidthDots); });
}

}  // namespace vprinter
