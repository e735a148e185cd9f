#include "imaging/RasterBands.h"

#include <algorithm>

#include "imaging/BitTranspose.h"

namespace quillora {

RasterGeometry RasterGeometryOf(const PaddedBitmap& bitmap) {
    return {std::min<std::uint32_t>(bitmap.RowBits, 576), bitmap.PaddedHeight / 8};
}

void WriteRasterBandHeader(const RasterGeometry& raster, std::span<std::uint8_t> band) {
    band[0] = 0x1B;
    band[1] = 0x2A;
    band[2] = 0x00;
    band[3] = std::uint8_t(raster.bandDots % 256);
    band[4] = std::uint8_t(raster.bandDots / 256);
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
