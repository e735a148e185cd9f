#include "imaging/RasterBands.h"

#include <algorithm>

#include "imaging/BitTranspose.h"

namespace quillora {

RasterGeometry RasterGeometryOf(const PaddedBitmap& bitmap) {
    return {std::min<std::uint32_t>(bitmap.RowBits, 576), bitmap.PaddedHeight / 8};
}

void WriteRasterBandHeader(const RasterGeometry& raster, std::span<std::uint8_t> band) {
    const auto header =
        escpos::BitImageHeader(escpos::kBitImage8DotSingle, std::uint16_t(raster.bandDots));
    std::copy(header.begin(), header.end(), band.begin());
}

void WriteRasterBandData(const PaddedBitmap& bitmap, std::uint32_t index,
                         std::span<std::uint8_t> band) {
    const std::uint32_t groups = RasterGeometryOf(bitmap).bandDots / 8;
    const std::uint8_t* rows = bitmap.Row(8 * index);
    std::uint8_t* data = band.data() + 5;
    for (std::uint32_t group = 0; group < groups; ++group) {
        StoreColumns(data + 8 * std::size_t(group),
                     DotColumns(GatherColumnGroup(rows + group, bitmap.RowBytes)));
    }
}

}  // namespace quillora
