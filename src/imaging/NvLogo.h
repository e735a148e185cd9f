#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "escpos/ImageCommands.h"
#include "imaging/PaddedBitmap.h"

namespace quillora {

// Size of the FS q definition of NV bit image 1: at most 576 dots (72 bytes) across and
// 904 dots (113 bytes) down; columns and rows beyond are dropped.
struct NvLogoGeometry {
    std::uint32_t widthBytes;   // xL: min(RowBytes, 72)
    std::uint32_t heightBytes;  // yL: min(PaddedHeight / 8, 113)

    std::size_t DefinitionSize() const {
        return escpos::kNvDefinitionHeaderSize + std::size_t(widthBytes) * heightBytes * 8;
    }
};

NvLogoGeometry NvLogoGeometryOf(const PaddedBitmap& bitmap);

// Writes the complete definition, 1C 71 01 xL 00 yL 00 and the column data, into
// `definition`, which holds exactly NvLogoGeometryOf(bitmap).DefinitionSize() bytes.
// Data byte x * yL + g is dot column x, rows 8g (bit 7) to 8g + 7 (bit 0); 1 = dot.
// `bitmap` must have been read with a row multiple of 8.
void WriteNvLogoDefinition(const PaddedBitmap& bitmap, std::span<std::uint8_t> definition);

// FS p 1 48: print NV bit image 1 (the one FS q defines) in normal mode.
inline constexpr std::array<std::uint8_t, 4> kPrintNvLogoCommand =
    escpos::PrintNvImage(1, escpos::kNvImageNormal);

}  // namespace quillora
