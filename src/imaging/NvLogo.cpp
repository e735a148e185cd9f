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
    std::uint8_t* data = definition.data() + header.size();
    for (std::uint32_t group = 0; group < logo.widthBytes; ++group) {
        // Dot columns 8 * group to 8 * group + 7, each heightBytes bytes long.
        std::uint8_t* columns = data + std::size_t(group) * 8 * heightBytes;
        for (std::uint32_t g = 0; g < heightBytes; ++g) {
            const std::uint64_t dots =
                DotColumns(GatherColumnGroup(bitmap.Row(8 * g) + group, bitmap.RowBytes));
            for (int column = 0; column < 8; ++column) {
                columns[std::size_t(column) * heightBytes + g] = ByteOf(dots, column);
            }
        }
    }
}

}  // namespace quillora
