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
    WriteBandDots(bitmap.Row(8 * index), bitmap.RowBytes, groups, band.data() + 5);
}

}  // namespace quillora
