#include "Drawings.h"

namespace vprinter {

BarcodeDrawing BarcodeCache::Draw(int m, const std::vector<std::uint8_t>& data, int heightDots,
                                  int moduleDots, int maxWidthDots) {
    Key key{m, heightDots, moduleDots, maxWidthDots, data};
    const auto found = drawings_.find(key);
    if (found != drawings_.end()) return found->second;
    if (drawings_.size() >= kMaxEntries) drawings_.clear();
    BarcodeDrawing drawing = DrawBarcode(m, data, heightDots, moduleDots, maxWidthDots);
    drawings_.emplace(std::move(key), drawing);
    return drawing;
}

}  // namespace vprinter
