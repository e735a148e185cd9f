#include "imaging/NvLogo.h"

#include <algorithm>

#include "imaging/BitTranspose.h"

namespace quillora {

NvLogoGeometry NvLogoGeometryOf(const PaddedBitmap& bitmap) {
    return {std::min<std::uint32_t>(bitmap.RowBytes, 72),
            std::min<std::uint32_t>(bitmap.PaddedHeight / 8, 113)};
}

void WriteNvLogoDefinition(const PaddedBitmap& bitmap, std::span<std::uint8_t> definition) {
    const NvLogoGeometry logo = NvLogoGeometryOf(bitmap);
    const std::uint32_t heightBytes = logo.heightBytes;
    const auto header =
        escpos::NvImageDefinitionHeader(std::uint16_t(logo.widthBytes), std::uint16_t(heightBytes));
    std::copy(header.begin(), header.end(), definition.begin());
    WriteColumnDots(bitmap.Row(0), bitmap.RowBytes, logo.widthBytes, heightBytes,
                    definition.data() + header.size());
}

}  // namespace quillora
